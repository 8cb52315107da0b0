// The packets of the WebSocket protocol: built and read with every length checked.
#include <gtest/gtest.h>

#include "portable/packets.h"

using namespace webwin;

namespace {

// A page's packet: signature, token, id, command, payload (no NUL added).
std::string pagePacket(uint32_t token, uint16_t id, unsigned char command, std::string_view payload) {
    std::string packet(1, static_cast<char>(WEBWIN_SIGNATURE));
    for (int i = 0; i < 4; ++i) packet.push_back(static_cast<char>((token >> (8 * i)) & 0xFF));
    packet.push_back(static_cast<char>(id & 0xFF));
    packet.push_back(static_cast<char>(id >> 8));
    packet.push_back(static_cast<char>(command));
    packet.append(payload);
    return packet;
}

std::string bytes(std::initializer_list<int> list) {
    std::string out;
    for (int b : list) out.push_back(static_cast<char>(b));
    return out;
}

}  // namespace

TEST(Packets, ProgramPacketsAndHeads) {
    EXPECT_EQ(buildPacket(0x1234, CMD_CLOSE, ""), bytes({0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 0xFA, 0}));
    EXPECT_EQ(buildPacket(1, CMD_NAVIGATION, "http://x").size(), 8u + 8 + 1);

    const auto head = readHead(pagePacket(0xA1B2C3D4, 0xBEEF, CMD_CLICK, "b"));
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ(head->token, 0xA1B2C3D4u);
    EXPECT_EQ(head->id, 0xBEEF);
    EXPECT_EQ(head->command, CMD_CLICK);
    EXPECT_FALSE(readHead(bytes({0xDD, 1, 2, 3, 4, 5, 6})).has_value());        // 7 bytes
    EXPECT_FALSE(readHead(bytes({0xDC, 1, 2, 3, 4, 5, 6, 0xFC})).has_value());  // no signature
    EXPECT_EQ(textAt(pagePacket(1, 1, CMD_CLICK, ""), 8), "");
    EXPECT_EQ(textAt(pagePacket(1, 1, CMD_CLICK, std::string("id\0x", 4)), 8), "id");
    EXPECT_EQ(textAt("abc", 10), "");
}

TEST(Packets, WindowDragNeedsBothIntegers) {
    EXPECT_FALSE(readDrag(pagePacket(1, 0, CMD_WINDOW_DRAG, "")).has_value());
    EXPECT_FALSE(readDrag(pagePacket(1, 0, CMD_WINDOW_DRAG, bytes({1, 0, 0, 0, 2, 0, 0}))).has_value());
    const auto drag = readDrag(pagePacket(1, 0, CMD_WINDOW_DRAG, bytes({10, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF})));
    ASSERT_TRUE(drag.has_value());
    EXPECT_EQ(drag->first, 10);
    EXPECT_EQ(drag->second, -2);
}

TEST(Packets, CallsCheckEverySizeAgainstThePacket) {
    const std::string seventeen = std::string("echo\0", 5) + "1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1" + '\0';
    std::string seventeenArguments;
    for (int i = 0; i < 17; ++i) seventeenArguments += std::string("x\0", 2);
    const struct {
        std::string payload;
        bool valid;
        std::vector<std::string> arguments;
    } cases[] = {
        {std::string("echo\0" "3;0\0" "abc\0" "\0", 14), true, {"abc", ""}},
        {std::string("echo\0\0", 6), true, {}},
        {std::string("echo\0" "3\0" "a\0b\0", 11), true, {std::string("a\0b", 3)}},
        {std::string("echo\0" "3;\0" "abc\0", 12), true, {"abc"}},                // empty pieces are skipped
        {std::string("echo\0" ";;2;\0" "ab\0", 13), true, {"ab"}},
        {seventeen + seventeenArguments, true, std::vector<std::string>(17, "x")},
        {seventeen.substr(0, seventeen.size() - 1) + ";1" + '\0' + seventeenArguments + std::string("x\0", 2), false, {}},
        {std::string("echo\0" "4\0" "abc\0", 11), false, {}},                      // runs past the end
        {std::string("echo\0" "3;1\0" "abc\0", 12), false, {}},                    // second argument missing
        {std::string("echo\0" "3\0" "abcd", 10), false, {}},                       // no NUL after it
        {std::string("echo\0" "1\0" "a\0" "zz", 11), false, {}},                    // bytes beyond the sizes
        {std::string("echo\0" "-1\0" "a\0", 9), false, {}},                        // not a number
        {std::string("echo\0" "4294967296\0" "a\0", 18), false, {}},              // past 32 bits
        {std::string("echo\0" "18446744073709551615\0" "a\0", 27), false, {}},     // would wrap
        {std::string("echo\0" "3;18446744073709551613\0" "abc\0", 29), false, {}},
        {std::string("echo\0" "4294967295;4294967295\0" "a\0", 29), false, {}},
        {std::string("echo", 4), false, {}},                                       // name runs to the end
        {std::string("echo\0" "3", 6), false, {}},                                 // sizes run to the end
        {std::string("\0" "0\0" "\0", 4), false, {}},                              // no name
    };
    for (const auto &c : cases) {
        const std::string packet = pagePacket(7, 3, CMD_CALL_FUNC, c.payload);
        const auto call = readCall(packet);
        ASSERT_EQ(call.has_value(), c.valid) << testing::PrintToString(c.payload);
        if (call) {
            EXPECT_EQ(call->name, "echo");
            std::vector<std::string> arguments;
            for (const CallArgument &argument : call->arguments) {
                arguments.push_back(packet.substr(argument.offset, argument.size));
                EXPECT_EQ(packet[argument.offset + argument.size], '\0');
            }
            EXPECT_EQ(arguments, c.arguments);
        }
    }
    EXPECT_FALSE(readCall("short").has_value());
}

TEST(Packets, TokensAndRefusals) {
    const std::string packet = pagePacket(0xA1B2C3D4, 0x0102, CMD_CALL_FUNC, "x");
    EXPECT_TRUE(tokenMatches(packet, 0xA1B2C3D4));
    for (const uint32_t other : {0xA1B2C3D5u, 0x21B2C3D4u, 0u}) EXPECT_FALSE(tokenMatches(packet, other)) << other;
    // a window without a token refuses the page that sends 0
    EXPECT_FALSE(tokenMatches(pagePacket(0, 1, CMD_CHECK_TK, ""), 0));
    EXPECT_FALSE(tokenMatches("\xDD\xD4\xC3", 0xA1B2C3D4));
    EXPECT_EQ(refusalPacket(packet), bytes({0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x01, 0xF9, 0}));
}

TEST(Packets, ResultsAreCutAndTerminated) {
    const struct {
        size_t size;
        std::string text;
        std::string expected;
    } cases[] = {{8, "42", "42"}, {3, "12345", "12"}, {3, "ab", "ab"}, {3, "abc", "ab"}, {1, "abc", ""}};
    for (const auto &c : cases) {
        std::string buffer(c.size + 1, '#');  // one guard byte past the buffer
        copyCut(buffer.data(), c.size, c.text);
        EXPECT_EQ(std::string(buffer.c_str()), c.expected) << c.size << " " << c.text;
        EXPECT_EQ(buffer.back(), '#');
    }
    copyCut(nullptr, 4, "x");  // nothing happens
}

TEST(Packets, ScriptAnswers) {
    EXPECT_FALSE(readScriptAnswer(pagePacket(1, 2, CMD_JS, "")).has_value());  // 8 bytes
    EXPECT_FALSE(readScriptAnswer(pagePacket(1, 2, CMD_JS, bytes({0}))).has_value());  // 9 bytes
    const auto empty = readScriptAnswer(pagePacket(1, 2, CMD_JS, bytes({0, 0})));
    ASSERT_TRUE(empty.has_value());
    EXPECT_FALSE(empty->error);
    EXPECT_EQ(empty->result, "");
    const auto thrown = readScriptAnswer(pagePacket(1, 2, CMD_JS, std::string("\x01" "boom\0", 6)));
    ASSERT_TRUE(thrown.has_value());
    EXPECT_TRUE(thrown->error);
    EXPECT_EQ(thrown->result, "boom");
    EXPECT_EQ(readScriptAnswer(pagePacket(1, 2, CMD_JS, std::string("\0" "42", 3)))->result, "42");
}

TEST(Packets, TokenAnswerListsTheBinds) {
    EXPECT_EQ(tokenAnswer({"__webwin_core_api__", "", "echo"}, false), "\x01__webwin_core_api__,echo,");
    EXPECT_EQ(tokenAnswer({"__webwin_core_api__"}, true), "\x01__webwin_core_api__,,");
}

TEST(Packets, MultiFramePacketsAssemblePerConnection) {
    const std::string whole = pagePacket(5, 1, CMD_CALL_FUNC, std::string(70000 - 8, 'x'));
    MultiAssembly assembly;
    EXPECT_EQ(assembly.add(pagePacket(5, 0, CMD_CLICK, "a")), MultiAssembly::Step::not_open);
    const std::string head = pagePacket(5, 0, CMD_MULTI, std::string("70000\0", 6));
    EXPECT_EQ(head.size(), 14u);
    EXPECT_EQ(assembly.add(head), MultiAssembly::Step::opened);
    EXPECT_EQ(assembly.add(std::string_view(whole).substr(0, MULTI_CHUNK_SIZE)), MultiAssembly::Step::more);
    EXPECT_EQ(assembly.add(std::string_view(whole).substr(MULTI_CHUNK_SIZE)), MultiAssembly::Step::complete);
    EXPECT_EQ(assembly.take(), whole);
    EXPECT_FALSE(assembly.open());

    // an overrun drops the whole packet; the next frame starts afresh
    EXPECT_EQ(assembly.add(pagePacket(5, 0, CMD_MULTI, std::string("10\0", 3))), MultiAssembly::Step::opened);
    EXPECT_EQ(assembly.add(std::string(11, 'y')), MultiAssembly::Step::dropped);
    EXPECT_FALSE(assembly.open());

    for (const char *length : {"0", "64000001", "", "12a", "99999999999999999999"}) {
        EXPECT_EQ(assembly.add(pagePacket(5, 0, CMD_MULTI, std::string(length) + '\0')), MultiAssembly::Step::dropped)
            << length;
    }
    EXPECT_EQ(readMultiLength(pagePacket(5, 0, CMD_MULTI, std::string("64000000\0", 9))), 64000000u);
}

TEST(Packets, TheReceivePathChecksTheTokenBeforeKeepingAnything) {
    using Kind = PacketReceiver::Kind;
    constexpr uint32_t token = 0x12345678;
    const std::string call = pagePacket(token, 9, CMD_CALL_FUNC, std::string("echo\0" "1\0" "a\0", 9));
    const std::string big = pagePacket(token, 4, CMD_CALL_FUNC, std::string(70000 - 8, 'z'));
    const std::string bigHead = pagePacket(token, 0, CMD_MULTI, std::string("70000\0", 6));
    const struct {
        const char *what;
        std::vector<std::string> frames;
        Kind last;
        std::string bytes;
    } cases[] = {
        {"a packet", {call}, Kind::packet, call},
        {"the page's ping", {"ping"}, Kind::none, ""},
        {"a wrong token", {pagePacket(token + 1, 9, CMD_CALL_FUNC, "x")}, Kind::refuse,
         bytes({0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 9, 0, 0xF9, 0})},
        {"the token 0", {pagePacket(0, 2, CMD_CHECK_TK, "")}, Kind::refuse, bytes({0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0xF5, 0})},
        {"no signature", {"\x01" + call.substr(1)}, Kind::refuse, bytes({0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 9, 0, 0xF9, 0})},
        {"a long packet in chunks", {bigHead, big.substr(0, MULTI_CHUNK_SIZE), big.substr(MULTI_CHUNK_SIZE)}, Kind::packet, big},
        {"chunks with a wrong token inside",
         {bigHead, "\xDD\x01\x01\x01\x01" + big.substr(5, MULTI_CHUNK_SIZE - 5), big.substr(MULTI_CHUNK_SIZE)},
         Kind::refuse, bytes({0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 4, 0, 0xF9, 0})},
        {"a last chunk of 3 bytes", {pagePacket(token, 0, CMD_MULTI, std::string("11\0", 3)), call.substr(0, 8), call.substr(8, 3)},
         Kind::packet, call.substr(0, 11)},
        {"a head with another token announces nothing",
         {pagePacket(token ^ 1, 0, CMD_MULTI, std::string("64000000\0", 9)), call}, Kind::packet, call},
        {"an overrun drops the packet", {pagePacket(token, 0, CMD_MULTI, std::string("9\0", 2)), call}, Kind::none, ""},
        {"an announced length past the limit", {pagePacket(token, 0, CMD_MULTI, std::string("64000001\0", 9)), call},
         Kind::packet, call},
    };
    for (const auto &c : cases) {
        PacketReceiver receiver;
        PacketReceiver::Result result;
        for (const std::string &frame : c.frames) result = receiver.frame(frame, token);
        EXPECT_EQ(result.kind, c.last) << c.what;
        EXPECT_EQ(result.bytes, c.bytes) << c.what;
    }
}
