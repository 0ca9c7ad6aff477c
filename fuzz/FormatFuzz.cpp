// The stub's message formatter: never writes past its buffer, always ends
// the text, and for the conversions it knows (%s, %d, %02d, %%) with
// matching arguments writes what snprintf writes, cut the same way.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "startup/strUtil.h"

namespace {

struct Call {
    std::string format;
    std::vector<std::string> texts;  // kept alive for the arguments
    std::vector<str::Argument> arguments;
    bool known = true;  // only known conversions with matching arguments
};

Call makeCall(FuzzedDataProvider& in) {
    Call call;
    call.texts.reserve(32);
    for (int parts = in.ConsumeIntegralInRange(0, 12); parts > 0; --parts) {
        switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0: {
            std::string literal = in.ConsumeRandomLengthString(40);
            literal = literal.substr(0, literal.find('\0'));
            if (literal.find('%') != std::string::npos) call.known = false;
            call.format += literal;
            break;
        }
        case 1:
            call.format += "%s";
            call.texts.push_back(in.ConsumeRandomLengthString(300));
            call.arguments.emplace_back(call.texts.back().c_str());
            break;
        case 2:
            call.format += "%d";
            call.arguments.emplace_back(in.ConsumeIntegral<int>());
            break;
        case 3:
            call.format += "%02d";
            call.arguments.emplace_back(in.ConsumeIntegral<int>());
            break;
        case 4: call.format += "%%"; break;
        default:
            // An argument of the other kind: the formatter prints nothing.
            call.format += "%s";
            call.arguments.emplace_back(in.ConsumeIntegral<int>());
            call.known = false;
            break;
        }
    }
    return call;
}

std::string expected(const Call& call, std::size_t capacity) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < call.format.size(); ++i) {
        if (call.format[i] != '%') {
            out += call.format[i];
            continue;
        }
        char piece[32];
        if (call.format.compare(i, 2, "%%") == 0) {
            out += '%';
            i += 1;
        } else if (call.format.compare(i, 2, "%s") == 0) {
            out += call.arguments[next++].text;
            i += 1;
        } else if (call.format.compare(i, 2, "%d") == 0) {
            std::snprintf(piece, sizeof piece, "%d", static_cast<int>(call.arguments[next++].number));
            out += piece;
            i += 1;
        } else {
            std::snprintf(piece, sizeof piece, "%02d", static_cast<int>(call.arguments[next++].number));
            out += piece;
            i += 3;
        }
    }
    return capacity == 0 ? std::string() : out.substr(0, capacity - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::size_t capacity = in.ConsumeIntegralInRange<std::size_t>(0, 1100);
    Call call = makeCall(in);
    if (in.ConsumeBool()) {
        call.format = in.ConsumeRemainingBytesAsString();
        call.format = call.format.substr(0, call.format.find('\0'));
        call.known = false;
    }
    std::vector<char> buffer(capacity);
    const std::size_t length =
        str::formatList(buffer.data(), capacity, call.format.c_str(), call.arguments.data(), call.arguments.size());
    if (capacity == 0) return length == 0 ? 0 : (__builtin_trap(), 0);
    if (length >= capacity || buffer[length] != '\0' || std::strlen(buffer.data()) != length) __builtin_trap();
    if (call.known && std::memcmp(buffer.data(), expected(call, capacity).c_str(), length + 1) != 0) __builtin_trap();
    return 0;
}
