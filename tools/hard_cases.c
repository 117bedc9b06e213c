/* Searches for the extended arguments in [0, 6.3) whose sine or cosine lies
 * nearest to a midpoint between two adjacent extended values: the cases in
 * which a correctly rounded result is hardest to decide.
 *
 * Each argument's sine and cosine are computed with MPFR at 192 bits; the
 * distance of |f(x)| to the nearest midpoint is measured in units of the
 * last place of the 64-bit significand. The 200 nearest of each function are
 * kept, then re-measured at 2048 bits and printed with the correctly rounded
 * result.
 *
 * Families of arguments (about 1.05e8 in all):
 *   multiples k*pi/N, N = 60 ... 43200, with 128 ulps on either side;
 *   the 59 clock angles j*AngleStep with 2^17 ulps on either side;
 *   k*pi/12 (the multiples of pi/2 and pi/6 among them) with 2^19 ulps;
 *   s * 2^-e for odd s < 2^20, e = 28 ... 36 (tiny arguments, whose cosine
 *   lies next to 1 and whose sine lies next to the argument);
 *   random bit patterns in [0, 6.3), uniform and spread over exponents.
 *
 * Usage: hard_cases PART COUNT SEED  (scan the PART-th of COUNT shares;
 *        prints candidate lines "function distance exponent significand")
 *        hard_cases --final < candidates  (re-measures, keeps 200 of each)
 *
 * Build: cc -O2 -o hard_cases tools/hard_cases.c -lmpfr -lgmp
 */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <gmp.h>
#include <mpfr.h>

enum { keep = 200, scan_bits = 192, final_bits = 2048, bias = 16383 };

struct Candidate {
    double distance; /* to the nearest midpoint, in ulps of the result */
    uint16_t exponent;
    uint64_t significand;
};

struct Best {
    struct Candidate entry[keep];
    int count;
};

static struct Best best[2]; /* [0] sine, [1] cosine */
static unsigned long share, shares, counter, evaluated;
static mpfr_t x, s, c, t;

/* Keeps the `keep` smallest distances; the array stays unsorted and the
 * worst entry is found by a scan only when a better one arrives. */
static void offer(struct Best* b, double distance, uint16_t exponent, uint64_t significand) {
    if (b->count < keep) {
        for (int i = 0; i < b->count; ++i)
            if (b->entry[i].exponent == exponent && b->entry[i].significand == significand) return;
        b->entry[b->count++] = (struct Candidate){distance, exponent, significand};
        return;
    }
    int worst = 0;
    for (int i = 1; i < keep; ++i)
        if (b->entry[i].distance > b->entry[worst].distance) worst = i;
    if (distance >= b->entry[worst].distance) return;
    for (int i = 0; i < keep; ++i)
        if (b->entry[i].exponent == exponent && b->entry[i].significand == significand) return;
    b->entry[worst] = (struct Candidate){distance, exponent, significand};
}

/* Distance of |y| to the nearest midpoint between extended values, in ulps. */
static double midpoint_distance(mpfr_t y) {
    if (mpfr_zero_p(y)) return 1.0;
    mpfr_abs(t, y, MPFR_RNDN);
    mpfr_mul_2si(t, t, 64 - mpfr_get_exp(t), MPFR_RNDN); /* significand in [2^63, 2^64) */
    mpfr_frac(t, t, MPFR_RNDN);
    mpfr_sub_d(t, t, 0.5, MPFR_RNDN);
    return mpfr_get_d(t, MPFR_RNDN) < 0 ? -mpfr_get_d(t, MPFR_RNDN) : mpfr_get_d(t, MPFR_RNDN);
}

static void set_argument(mpfr_t target, uint16_t exponent, uint64_t significand) {
    mpfr_set_uj_2exp(target, significand, (intmax_t)exponent - bias - 63, MPFR_RNDN);
}

/* One argument of this share: measures both functions. */
static void scan(uint16_t exponent, uint64_t significand) {
    if (counter++ % shares != share) return;
    if ((significand >> 63) == 0) return;
    set_argument(x, exponent, significand);
    if (mpfr_cmp_d(x, 6.3) >= 0) return;
    ++evaluated;
    mpfr_sin_cos(s, c, x, MPFR_RNDN);
    offer(&best[0], midpoint_distance(s), exponent, significand);
    offer(&best[1], midpoint_distance(c), exponent, significand);
}

/* The extended value nearest to `value` (positive, normal). */
static void to_extended(mpfr_t value, uint16_t* exponent, uint64_t* significand) {
    mpfr_t r;
    mpfr_init2(r, 64);
    mpfr_set(r, value, MPFR_RNDN);
    mpz_t z;
    mpz_init(z);
    const mpfr_exp_t e = mpfr_get_z_2exp(z, r); /* r = z * 2^e, z with 64 bits */
    if (sizeof(mp_limb_t) == 8) {
        *significand = (uint64_t)mpz_getlimbn(z, 0);
    } else {
        *significand = ((uint64_t)mpz_getlimbn(z, 1) << 32) | (uint64_t)mpz_getlimbn(z, 0);
    }
    *exponent = (uint16_t)(e + 63 + bias);
    mpz_clear(z);
    mpfr_clear(r);
}

/* Arguments around `value`: `radius` ulps on either side, same exponent. */
static void scan_around(mpfr_t value, uint64_t radius) {
    uint16_t exponent;
    uint64_t significand;
    to_extended(value, &exponent, &significand);
    for (uint64_t d = 0; d <= 2 * radius; ++d) scan(exponent, significand - radius + d);
}

static uint64_t random_state;
static uint64_t next_random(void) { /* splitmix64 */
    uint64_t z = (random_state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

static void scan_all(uint64_t seed) {
    mpfr_t pi, v;
    mpfr_inits2(256, pi, v, (mpfr_ptr)0);
    mpfr_const_pi(pi, MPFR_RNDN);

    static const unsigned long divisors[] = {60, 120, 180, 240, 360, 720, 1440, 3600, 21600, 43200};
    for (size_t n = 0; n < sizeof divisors / sizeof divisors[0]; ++n) {
        for (unsigned long k = 1;; ++k) {
            mpfr_mul_ui(v, pi, k, MPFR_RNDN);
            mpfr_div_ui(v, v, divisors[n], MPFR_RNDN);
            if (mpfr_cmp_d(v, 6.3) >= 0) break;
            scan_around(v, 128);
        }
    }
    /* AngleStep = 0xD6774F9BDF5EAD05 * 2^-67; the clock angles are its
     * multiples rounded to extended. */
    mpfr_t step;
    mpfr_init2(step, 64);
    mpfr_set_uj_2exp(step, 0xD6774F9BDF5EAD05u, -67, MPFR_RNDN);
    for (unsigned long j = 1; j < 60; ++j) {
        mpfr_mul_ui(v, step, j, MPFR_RNDN);
        mpfr_prec_round(v, 64, MPFR_RNDN);
        mpfr_prec_round(v, 256, MPFR_RNDN);
        scan_around(v, 1u << 17);
    }
    mpfr_clear(step);
    for (unsigned long k = 1; k <= 24; ++k) {
        mpfr_mul_ui(v, pi, k, MPFR_RNDN);
        mpfr_div_ui(v, v, 12, MPFR_RNDN);
        if (mpfr_cmp_d(v, 6.3) >= 0) break;
        scan_around(v, 1u << 19);
    }
    for (int e = 28; e <= 36; ++e)
        for (uint64_t odd = 1; odd < (1u << 20); odd += 2) {
            /* odd * 2^-e, normalised */
            int lead = 63;
            while (((odd >> lead) & 1) == 0) --lead;
            scan((uint16_t)(bias - e + lead), odd << (63 - lead));
        }
    random_state = seed;
    for (unsigned long i = 0; i < 20000000; ++i) { /* uniform in [0, 6.3) */
        const uint64_t bits = next_random() | (uint64_t)1 << 63;
        const int exponent_offset = (int)(next_random() % 64);
        /* values in [4, 8) cover [4, 6.3); the rest halves down the range */
        scan((uint16_t)(bias + 2 - (exponent_offset < 32 ? 0 : exponent_offset < 48 ? 1 : exponent_offset < 56 ? 2 : 3)),
             bits);
    }
    for (unsigned long i = 0; i < 15000000; ++i) { /* spread over exponents 2^-32 .. 4 */
        const uint64_t bits = next_random() | (uint64_t)1 << 63;
        scan((uint16_t)(bias - 32 + (int)(next_random() % 35)), bits);
    }
    mpfr_clears(pi, v, (mpfr_ptr)0);
}

static void print_best(int final) {
    static const char* names[2] = {"sin", "cos"};
    for (int f = 0; f < 2; ++f) {
        for (int i = 0; i < best[f].count; ++i) {
            const struct Candidate* e = &best[f].entry[i];
            if (!final) {
                printf("%s %.17g %04x %016llx\n", names[f], e->distance, e->exponent, (unsigned long long)e->significand);
                continue;
            }
            set_argument(x, e->exponent, e->significand);
            if (f == 0) {
                mpfr_sin(s, x, MPFR_RNDN);
            } else {
                mpfr_cos(s, x, MPFR_RNDN);
            }
            uint16_t re;
            uint64_t rs;
            to_extended(s, &re, &rs);
            printf("%s %04x %016llx %04x %016llx %.6e\n", names[f], e->exponent, (unsigned long long)e->significand,
                   (unsigned)(re | (mpfr_sgn(s) < 0 ? 0x8000u : 0u)), (unsigned long long)rs, midpoint_distance(s));
        }
    }
}

static int by_distance(const void* a, const void* b) {
    const double da = ((const struct Candidate*)a)->distance;
    const double db = ((const struct Candidate*)b)->distance;
    return da < db ? -1 : da > db;
}

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--final") == 0) {
        mpfr_inits2(final_bits, x, s, c, t, (mpfr_ptr)0);
        char name[8];
        double ignored;
        unsigned exponent;
        unsigned long long significand;
        while (scanf("%7s %lg %x %llx", name, &ignored, &exponent, &significand) == 4) {
            const int f = strcmp(name, "cos") == 0;
            set_argument(x, (uint16_t)exponent, significand);
            if (f == 0) {
                mpfr_sin(s, x, MPFR_RNDN);
            } else {
                mpfr_cos(s, x, MPFR_RNDN);
            }
            offer(&best[f], midpoint_distance(s), (uint16_t)exponent, significand);
        }
        for (int f = 0; f < 2; ++f) qsort(best[f].entry, (size_t)best[f].count, sizeof best[f].entry[0], by_distance);
        print_best(1);
        return 0;
    }
    if (argc != 4) {
        fprintf(stderr, "usage: hard_cases PART COUNT SEED | hard_cases --final\n");
        return 2;
    }
    share = strtoul(argv[1], NULL, 0);
    shares = strtoul(argv[2], NULL, 0);
    mpfr_set_default_prec(scan_bits);
    mpfr_inits2(64, x, (mpfr_ptr)0);
    mpfr_inits2(scan_bits, s, c, t, (mpfr_ptr)0);
    scan_all(strtoull(argv[3], NULL, 0));
    fprintf(stderr, "share %lu of %lu: %lu arguments evaluated (of %lu enumerated)\n", share, shares, evaluated, counter);
    print_best(0);
    return 0;
}
