#include "io/text_channel.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "io/failure.h"
#include "io/fault_script.h"

namespace hndpos {
namespace {

using testing::FaultScript;

class TextChannelTest : public testing::FaultScriptTest {
protected:
    TextChannel open_file() {
        TextChannel file;
        assign_channel(file, "hpostbl.c");
        open_for_writing(file);
        EXPECT_EQ(pending_io_code(), 0);
        return file;
    }
    const std::vector<std::string>& file_blocks() { return system_.blocks[FaultScript::file_handle]; }
};

TEST_F(TextChannelTest, FileChannelHandsOverFullBlocksAndTheRestAtClose) {
    struct Case {
        std::vector<std::string> lines;
        std::vector<std::size_t> block_sizes_before_close;
        std::vector<std::size_t> block_sizes_after_close;
    };
    const Case cases[] = {
        {{""}, {}, {2}},                                  // an empty line is CR LF alone
        {{std::string(126, 'a')}, {128}, {128}},          // 126 + CR LF fill the buffer exactly
        {{std::string(126, 'a'), "b"}, {128}, {128, 3}},  // the next byte starts a new block
        {{std::string(300, 'a')}, {128, 128}, {128, 128, 46}},
        {{std::string(127, 'a')}, {128}, {128, 1}},  // CR goes in the full block, LF after it
    };
    for (const Case& c : cases) {
        system_.blocks.clear();
        TextChannel file = open_file();
        std::string expected;
        for (const std::string& line : c.lines) {
            write_line(file, line);
            expected += line + "\r\n";
        }
        std::vector<std::size_t> sizes;
        for (const std::string& block : file_blocks()) sizes.push_back(block.size());
        EXPECT_EQ(sizes, c.block_sizes_before_close) << c.lines[0].size();
        close_channel(file);
        sizes.clear();
        for (const std::string& block : file_blocks()) sizes.push_back(block.size());
        EXPECT_EQ(sizes, c.block_sizes_after_close) << c.lines[0].size();
        EXPECT_EQ(system_.bytes(FaultScript::file_handle), expected);
        EXPECT_EQ(pending_io_code(), 0);
        EXPECT_EQ(file.mode, ChannelMode::closed);
    }
}

TEST_F(TextChannelTest, BytesPassUnchanged) {
    TextChannel file = open_file();
    const std::string text = std::string("a\nb\x95\x5c\x83\x5c\0z", 9);
    write_text(file, text);
    end_line(file);
    close_channel(file);
    EXPECT_EQ(system_.bytes(FaultScript::file_handle), text + "\r\n");  // no CR before the lone LF
}

TEST_F(TextChannelTest, ConsoleGetsEachLineAtOnceAndARedirectionWaits) {
    system_.stdout_kind = platform::HandleKind::character_device;
    write_line(console_output, "one");
    write_line(console_output, "");
    EXPECT_EQ(system_.blocks[FaultScript::stdout_handle], (std::vector<std::string>{"one\r\n", "\r\n"}));

    system_.blocks.clear();
    system_.stdout_kind = platform::HandleKind::file_or_pipe;
    assign_channel(console_output, "");
    write_line(console_output, "one");
    write_line(console_output, "two");
    EXPECT_TRUE(system_.blocks[FaultScript::stdout_handle].empty());
    close_channel(console_output);
    EXPECT_EQ(system_.bytes(FaultScript::stdout_handle), "one\r\ntwo\r\n");
    EXPECT_EQ(console_output.mode, ChannelMode::output);  // standard output is never released
    EXPECT_TRUE(system_.closed.empty());
}

TEST_F(TextChannelTest, ShortAndInterruptedWritesDeliverTheSameBytes) {
    const std::string line(200, 'q');
    system_.scripted_writes = {{1, false, 0}, {0, true, 0}, {5, false, 0}, {0, true, 0}, {0, true, 0}, {60, false, 0}};
    TextChannel file = open_file();
    write_line(file, line);
    close_channel(file);
    EXPECT_EQ(system_.bytes(FaultScript::file_handle), line + "\r\n");
    EXPECT_EQ(pending_io_code(), 0);
}

TEST_F(TextChannelTest, AWriteThatWouldBlockWaitsThenContinues) {
    struct Case {
        const char* what;
        std::deque<platform::WriteStep> writes;
        std::int32_t wait_code;
        int expected_waits;
        std::string expected_file;
        std::int32_t expected_code;
    };
    const platform::WriteStep would_block{0, false, 0, true};
    const std::string block(128, 'w');
    const Case cases[] = {
        {"one wait", {would_block}, 0, 1, block + "\r\n", 0},
        {"a wait between two parts", {{50, false, 0}, would_block, would_block}, 0, 2, block + "\r\n", 0},
        // The block is lost like any failed block; the line end follows at close.
        {"a failed wait fails the write", {would_block}, 6, 1, "\r\n", 6},
    };
    for (const Case& c : cases) {
        start_case();
        system_.scripted_writes = c.writes;
        system_.wait_code = c.wait_code;
        TextChannel file = open_file();
        write_line(file, block);
        close_channel(file);
        EXPECT_EQ(system_.waits, c.expected_waits) << c.what;
        EXPECT_EQ(system_.bytes(FaultScript::file_handle), c.expected_file) << c.what;
        EXPECT_EQ(pending_io_code(), c.expected_code) << c.what;
    }
}

TEST_F(TextChannelTest, PendingCodes) {
    // What the case's file channel "f" is before the case acts on it.
    enum Given { unused, assigned, opened };
    struct Case {
        const char* what;
        void (*prepare)(FaultScript&);
        Given given;
        void (*act)(TextChannel& file);
        std::int32_t expected_code;
    };
    const Case cases[] = {
        {"write_line on a closed standard output", [](FaultScript& s) { s.stdout_code = 6; }, unused,
         [](TextChannel&) { write_line(console_output, "x"); }, channel_not_open_code},
        {"write_text on a closed standard output", [](FaultScript& s) { s.stdout_code = 6; }, unused,
         [](TextChannel&) { write_text(console_output, "x"); }, channel_not_for_output_code},
        {"standard output of unknown type", [](FaultScript& s) { s.stdout_kind = platform::HandleKind::unknown; },
         unused, [](TextChannel&) { write_line(console_output, "x"); }, channel_not_open_code},
        {"close of a channel never opened", [](FaultScript&) {}, assigned, [](TextChannel& f) { close_channel(f); },
         channel_not_open_code},
        {"create refused", [](FaultScript& s) { s.create_code = 5; }, opened, [](TextChannel&) {}, 5},
        {"file of unknown type", [](FaultScript& s) { s.file_kind = platform::HandleKind::unknown; }, opened,
         [](TextChannel&) {}, channel_not_for_output_code},
        {"write on a file whose opening failed", [](FaultScript& s) { s.create_code = 5; }, opened,
         [](TextChannel& f) { write_line(f, "x"); }, channel_not_open_code},
        {"failed block write",
         [](FaultScript& s) {
             s.scripted_writes = {{0, false, 112}};
         },
         opened, [](TextChannel& f) { write_line(f, std::string(200, 'x')); }, 112},
        {"failed close", [](FaultScript& s) { s.close_code = 1117; }, opened, [](TextChannel& f) { close_channel(f); },
         1117},
        {"a later failure overwrites an earlier one",
         [](FaultScript& s) {
             s.scripted_writes = {{0, false, 112}, {0, false, 109}};
         },
         opened,
         [](TextChannel& f) {
             write_text(f, std::string(300, 'x'));
             write_text(f, std::string(300, 'x'));
         },
         109},
        {"a write accepting nothing without a reason counts as disk full",
         [](FaultScript& s) {
             s.scripted_writes = {{0, false, 0}};
         },
         opened, [](TextChannel& f) { write_text(f, std::string(128, 'x')); }, platform::disk_full_code},
    };
    for (const Case& c : cases) {
        start_case();
        c.prepare(system_);
        TextChannel file;
        if (c.given != unused) assign_channel(file, "f");
        if (c.given == opened) open_for_writing(file);
        c.act(file);
        EXPECT_EQ(pending_io_code(), c.expected_code) << c.what;
    }
}

TEST_F(TextChannelTest, UnknownHandleIsReleasedAndTheChannelStaysClosed) {
    system_.stdout_kind = platform::HandleKind::unknown;
    write_line(console_output, "x");
    EXPECT_EQ(console_output.mode, ChannelMode::closed);
    EXPECT_EQ(system_.closed,
              (std::vector<platform::FileHandle>{FaultScript::stdout_handle, FaultScript::stdout_handle}));
}

TEST_F(TextChannelTest, FailedBlockLosesItsBytesAndTheRestOfTheText) {
    system_.scripted_writes = {{0, false, 112}};
    TextChannel file = open_file();
    write_text(file, std::string(128, 'a') + std::string(200, 'b'));
    EXPECT_EQ(pending_io_code(), 112);
    EXPECT_EQ(file.fill, 0);
    set_pending_io_code(0);
    write_line(file, "c");
    close_channel(file);
    EXPECT_EQ(system_.bytes(FaultScript::file_handle), "c\r\n");
}

TEST_F(TextChannelTest, FailedFinalWriteLeavesTheChannelOpen) {
    TextChannel file = open_file();
    write_line(file, "x");
    system_.scripted_writes = {{0, false, 112}};
    close_channel(file);
    EXPECT_EQ(pending_io_code(), 112);
    EXPECT_EQ(file.mode, ChannelMode::output);
    EXPECT_EQ(file.handle, FaultScript::file_handle);
    EXPECT_TRUE(system_.closed.empty());
}

TEST_F(TextChannelTest, ReopeningAnOpenChannelClosesItFirst) {
    TextChannel file = open_file();
    write_line(file, "first");
    open_for_writing(file);
    EXPECT_EQ(system_.bytes(FaultScript::file_handle), "first\r\n");
    EXPECT_EQ(system_.closed, (std::vector<platform::FileHandle>{FaultScript::file_handle}));
    EXPECT_EQ(file.mode, ChannelMode::output);
}

TEST_F(TextChannelTest, LongNamesAreCut) {
    TextChannel file;
    assign_channel(file, std::string(300, 'n'));
    EXPECT_EQ(std::string(file.name), std::string(259, 'n'));
}

TEST_F(TextChannelTest, IoCheckRaisesOnceAndClearsTheCode) {
    EXPECT_NO_THROW(io_check());
    set_pending_io_code(5);
    try {
        io_check();
        FAIL() << "no failure";
    } catch (const EInOutError& failure) {
        EXPECT_EQ(failure.code(), 5);
        EXPECT_NE(failure.position(), nullptr);
    }
    EXPECT_EQ(pending_io_code(), 0);
    EXPECT_NO_THROW(io_check());
}

}  // namespace
}  // namespace hndpos
