// The packets of the bridge's WebSocket protocol: an 8-byte head (signature, token, id,
// command; little-endian) and a payload. Every length and offset is checked before a read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace webwin {

inline constexpr unsigned char WEBWIN_SIGNATURE = 0xDD;
inline constexpr uint32_t kProgramToken = 0xFFFFFFFF;
inline constexpr size_t kHeadSize = 8;
inline constexpr size_t MULTI_CHUNK_SIZE = 65500;
inline constexpr size_t kMultiLimit = 64000000;

enum Command : unsigned char {
    CMD_WINDOW_RESIZED = 0xF3,
    CMD_WINDOW_DRAG = 0xF4,
    CMD_CHECK_TK = 0xF5,
    CMD_MULTI = 0xF6,
    CMD_NEW_ID = 0xF7,
    CMD_SEND_RAW = 0xF8,
    CMD_CALL_FUNC = 0xF9,
    CMD_CLOSE = 0xFA,
    CMD_NAVIGATION = 0xFB,
    CMD_CLICK = 0xFC,
    CMD_JS_QUICK = 0xFD,
    CMD_JS = 0xFE,
};

struct PacketHead {
    uint32_t token = 0;
    uint16_t id = 0;
    unsigned char command = 0;
};

// A packet of the program: head with the program's token, the payload, one NUL.
std::string buildPacket(uint16_t id, unsigned char command, std::string_view payload);

// The head of a page's packet; nothing when it is shorter than the head or not signed.
std::optional<PacketHead> readHead(std::string_view packet);

// The text from `offset` to the first NUL or the end (empty when the packet is shorter).
std::string_view textAt(std::string_view packet, size_t offset);

// CMD_WINDOW_DRAG: two signed 32-bit integers at offsets 8 and 12; nothing when the packet is short.
std::optional<std::pair<int32_t, int32_t>> readDrag(std::string_view packet);

// The token of a page's packet equals the window's, compared in constant time; a window
// without a token (0) accepts none.
bool tokenMatches(std::string_view packet, uint32_t token);

// The answer to a refused packet: the program's empty packet with the same command and id.
std::string refusalPacket(std::string_view packet);

// CMD_CALL_FUNC from the page: name, NUL, sizes joined by ";" (empty pieces skipped), NUL, then
// each argument and a NUL; the arguments fill the packet exactly.
inline constexpr size_t kMaxArguments = 17;
struct CallArgument {
    size_t offset = 0;  // in the packet; the argument's NUL is at offset + size
    size_t size = 0;
};
struct Call {
    std::string_view name;
    std::vector<CallArgument> arguments;
};
// Nothing when a part runs past the packet, a size is not a 32-bit decimal number, there are
// more than 17 sizes, or the sizes do not add up to the packet.
std::optional<Call> readCall(std::string_view packet);

// Copies a result into a caller's buffer of `size` bytes: cut to size - 1 and terminated.
void copyCut(char *buffer, size_t size, std::string_view text);

// CMD_JS answer from the page: error byte at 8, the result from 9 to its NUL.
struct ScriptAnswer {
    bool error = false;
    std::string result;
};
std::optional<ScriptAnswer> readScriptAnswer(std::string_view packet);

// The CMD_CHECK_TK answer: 1 and every bind name followed by ","; one more "," with an all-events handler.
std::string tokenAnswer(const std::vector<std::string> &names, bool allEvents);

// The announced length of a CMD_MULTI head: 1 ... 64,000,000, else nothing.
std::optional<size_t> readMultiLength(std::string_view packet);

// Assembles one connection's multi-frame packet.
class MultiAssembly {
public:
    enum class Step { not_open, opened, more, complete, dropped };
    // A frame of the connection: opens an assembly on a CMD_MULTI head, adds to an open one.
    Step add(std::string_view frame);
    bool open() const { return open_; }
    // The assembled packet after Step::complete.
    std::string take();

private:
    bool open_ = false;
    size_t expected_ = 0;
    std::string bytes_;
};

// The receive path of one connection: every binary frame of the page goes through `frame`.
// Frames shorter than a head (the page's ping) change nothing; an unsigned frame or one with
// a wrong token is refused before anything is kept; a CMD_MULTI head opens an assembly whose
// chunks follow, and the assembled packet is checked like a frame.
class PacketReceiver {
public:
    enum class Kind { none, refuse, packet };
    struct Result {
        Kind kind = Kind::none;
        std::string bytes;  // the packet, or the refusal answer
    };
    Result frame(std::string_view frame, uint32_t token);

private:
    Result checked(std::string_view packet, uint32_t token);
    MultiAssembly multi_;
};

}  // namespace webwin
