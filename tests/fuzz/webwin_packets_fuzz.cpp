// fuzz-links: webwin_portable
// Packets of the bridge's WebSocket protocol as a page might send them: every reader stays
// inside the packet (the fuzzer copies it into a buffer of its exact size), what a reader
// accepts fits in what it read, and the receive path hands on nothing without the token.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "portable/packets.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view packet(reinterpret_cast<const char *>(data), size);
    const auto head = webwin::readHead(packet);
    require(head.has_value() == (size >= webwin::kHeadSize && data[0] == webwin::WEBWIN_SIGNATURE));
    if (const auto call = webwin::readCall(packet)) {
        require(call->arguments.size() <= webwin::kMaxArguments);
        size_t end = webwin::kHeadSize + call->name.size() + 1;
        for (const webwin::CallArgument &argument : call->arguments) {
            require(argument.offset > end && argument.offset + argument.size < size);
            require(data[argument.offset + argument.size] == 0);
            end = argument.offset + argument.size;
        }
    }
    if (const auto answer = webwin::readScriptAnswer(packet)) require(answer->result.size() + 9 <= size);
    if (webwin::readDrag(packet)) require(size >= 16);
    // frames of one connection, cut where the input says
    webwin::MultiAssembly assembly;
    size_t at = 0;
    while (at < size) {
        const size_t length = 1 + data[at] % 64;
        const std::string_view frame = packet.substr(at, length);
        if (assembly.add(frame) == webwin::MultiAssembly::Step::complete) {
            require(assembly.take().size() <= size);
        }
        at += length;
    }
    // the receive path of a connection with a token: what it hands on carries that token, and a
    // refusal answers with the program's empty packet
    const uint32_t token = 0x78563412;
    webwin::PacketReceiver receiver;
    at = 0;
    while (at < size) {
        const size_t length = 1 + data[at] % 128;
        const auto result = receiver.frame(packet.substr(at, length), token);
        if (result.kind == webwin::PacketReceiver::Kind::packet) {
            require(webwin::tokenMatches(result.bytes, token) && webwin::readHead(result.bytes).has_value());
        } else if (result.kind == webwin::PacketReceiver::Kind::refuse) {
            require(result.bytes.size() == webwin::kHeadSize + 1 && webwin::readHead(result.bytes)->token == 0xFFFFFFFF);
        } else {
            require(result.bytes.empty());
        }
        at += length;
    }
    char buffer[5];
    webwin::copyCut(buffer, sizeof buffer, packet);
    require(std::string_view(buffer).size() <= 4);
    const unsigned char command = size > 7 ? data[7] : webwin::CMD_CLOSE;
    const std::string built = webwin::buildPacket(head ? head->id : 0, command, packet);
    require(built.size() == size + webwin::kHeadSize + 1 && built.back() == '\0');
    return 0;
}
