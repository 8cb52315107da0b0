#include "packets.h"

namespace webwin {
namespace {

uint32_t littleEndian(std::string_view bytes, size_t offset, size_t count) {
    uint32_t value = 0;
    for (size_t i = count; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

// A decimal number of at most 18 digits (so no sum of a packet's sizes can wrap).
std::optional<uint64_t> decimal(std::string_view text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
}

}  // namespace

std::string buildPacket(uint16_t id, unsigned char command, std::string_view payload) {
    std::string packet;
    packet.reserve(payload.size() + kHeadSize + 1);
    packet.push_back(static_cast<char>(WEBWIN_SIGNATURE));
    for (int i = 0; i < 4; ++i) packet.push_back(static_cast<char>(0xFF));
    packet.push_back(static_cast<char>(id & 0xFF));
    packet.push_back(static_cast<char>(id >> 8));
    packet.push_back(static_cast<char>(command));
    packet.append(payload);
    packet.push_back('\0');
    return packet;
}

std::optional<PacketHead> readHead(std::string_view packet) {
    if (packet.size() < kHeadSize || static_cast<unsigned char>(packet[0]) != WEBWIN_SIGNATURE) return std::nullopt;
    PacketHead head;
    head.token = littleEndian(packet, 1, 4);
    head.id = static_cast<uint16_t>(littleEndian(packet, 5, 2));
    head.command = static_cast<unsigned char>(packet[7]);
    return head;
}

std::string_view textAt(std::string_view packet, size_t offset) {
    if (offset >= packet.size()) return {};
    const std::string_view rest = packet.substr(offset);
    return rest.substr(0, rest.find('\0'));
}

std::optional<std::pair<int32_t, int32_t>> readDrag(std::string_view packet) {
    if (packet.size() < kHeadSize + 8) return std::nullopt;
    return std::pair<int32_t, int32_t>(static_cast<int32_t>(littleEndian(packet, 8, 4)),
                                       static_cast<int32_t>(littleEndian(packet, 12, 4)));
}

bool tokenMatches(std::string_view packet, uint32_t token) {
    if (packet.size() < kHeadSize || token == 0) return false;
    unsigned char diff = 0;
    for (size_t i = 0; i < 4; ++i) {
        diff |= static_cast<unsigned char>(static_cast<unsigned char>(packet[1 + i]) ^ ((token >> (8 * i)) & 0xFF));
    }
    return diff == 0;
}

std::string refusalPacket(std::string_view packet) {
    if (packet.size() < kHeadSize) return buildPacket(0, 0, "");
    return buildPacket(static_cast<uint16_t>(littleEndian(packet, 5, 2)), static_cast<unsigned char>(packet[7]), "");
}

std::optional<Call> readCall(std::string_view packet) {
    if (packet.size() < kHeadSize) return std::nullopt;
    const std::string_view rest = packet.substr(kHeadSize);
    const size_t nameEnd = rest.find('\0');
    if (nameEnd == std::string_view::npos || nameEnd == 0) return std::nullopt;
    Call call;
    call.name = rest.substr(0, nameEnd);
    const size_t sizesStart = nameEnd + 1;
    const size_t sizesEnd = rest.find('\0', sizesStart);
    if (sizesEnd == std::string_view::npos) return std::nullopt;
    const std::string_view sizes = rest.substr(sizesStart, sizesEnd - sizesStart);
    // 64-bit sums: at most 17 sizes of at most 2^32 - 1 each cannot wrap
    uint64_t position = kHeadSize + sizesEnd + 1;
    size_t start = 0;
    while (start <= sizes.size()) {
        size_t end = sizes.find(';', start);
        if (end == std::string_view::npos) end = sizes.size();
        const std::string_view piece = sizes.substr(start, end - start);
        start = end + 1;
        if (piece.empty()) continue;
        const auto size = decimal(piece);
        if (!size || *size > 0xFFFFFFFFu || call.arguments.size() == kMaxArguments) return std::nullopt;
        // each argument is followed by its NUL, within the packet
        if (position + *size >= packet.size() || packet[position + *size] != '\0') return std::nullopt;
        call.arguments.push_back({static_cast<size_t>(position), static_cast<size_t>(*size)});
        position += *size + 1;
    }
    if (position != packet.size()) return std::nullopt;
    return call;
}

void copyCut(char *buffer, size_t size, std::string_view text) {
    if (buffer == nullptr || size == 0) return;
    const size_t count = text.size() < size - 1 ? text.size() : size - 1;
    for (size_t i = 0; i < count; ++i) buffer[i] = text[i];
    buffer[count] = '\0';
}

std::optional<ScriptAnswer> readScriptAnswer(std::string_view packet) {
    // head, error byte and the result's NUL at least
    if (packet.size() < kHeadSize + 2) return std::nullopt;
    ScriptAnswer answer;
    answer.error = packet[kHeadSize] != 0;
    answer.result = std::string(textAt(packet, kHeadSize + 1));
    return answer;
}

std::string tokenAnswer(const std::vector<std::string> &names, bool allEvents) {
    std::string payload(1, '\x01');
    for (const std::string &name : names) {
        if (!name.empty()) payload += name + ",";
    }
    if (allEvents) payload += ",";
    return payload;
}

std::optional<size_t> readMultiLength(std::string_view packet) {
    const auto head = readHead(packet);
    if (!head || head->command != CMD_MULTI) return std::nullopt;
    const auto length = decimal(textAt(packet, kHeadSize));
    if (!length || *length < 1 || *length > kMultiLimit) return std::nullopt;
    return static_cast<size_t>(*length);
}

MultiAssembly::Step MultiAssembly::add(std::string_view frame) {
    if (!open_) {
        if (frame.size() < kHeadSize || static_cast<unsigned char>(frame[7]) != CMD_MULTI) return Step::not_open;
        const auto length = readMultiLength(frame);
        if (!length) return Step::dropped;
        open_ = true;
        expected_ = *length;
        bytes_.clear();
        return Step::opened;
    }
    if (frame.size() > expected_ - bytes_.size()) {
        open_ = false;
        bytes_.clear();
        bytes_.shrink_to_fit();
        return Step::dropped;
    }
    bytes_.append(frame);
    if (bytes_.size() < expected_) return Step::more;
    open_ = false;
    return Step::complete;
}

std::string MultiAssembly::take() { return std::move(bytes_); }

PacketReceiver::Result PacketReceiver::checked(std::string_view packet, uint32_t token) {
    Result result;
    if (!readHead(packet) || !tokenMatches(packet, token)) {
        result.kind = Kind::refuse;
        result.bytes = refusalPacket(packet);
        return result;
    }
    result.kind = Kind::packet;
    result.bytes = std::string(packet);
    return result;
}

PacketReceiver::Result PacketReceiver::frame(std::string_view frame, uint32_t token) {
    if (multi_.open()) {
        if (multi_.add(frame) != MultiAssembly::Step::complete) return {};
        const std::string whole = multi_.take();
        if (whole.size() < kHeadSize) return {};
        return checked(whole, token);
    }
    if (frame.size() < kHeadSize) return {};
    Result result = checked(frame.substr(0, kHeadSize), token);
    if (result.kind == Kind::refuse) return result;
    if (static_cast<unsigned char>(frame[7]) == CMD_MULTI) {
        multi_.add(frame);  // an announced length outside 1 ... 64,000,000 drops the frame
        return {};
    }
    result.bytes = std::string(frame);
    return result;
}

}  // namespace webwin
