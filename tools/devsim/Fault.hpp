#pragma once

#include "DeviceReply.hpp"

#include <nlohmann/json.hpp>

#include <string>

namespace OrvaneDevSim {

// One injected misbehaviour of an operation, as set through the control interface:
//   {"kind": "result", "result": "FAIL_MACHINE_BUSY"}   XML answer with that RESULT text
//   {"kind": "status", "status": 500}                   that HTTP status with a short HTML page
//   {"kind": "malformed-xml"} | {"kind": "html"}        broken XML / an HTML page, status 200
//   {"kind": "wrong-content-type"}                       the real answer labelled text/plain
//   {"kind": "truncated"}                                the real answer's length, half its body, close
//   {"kind": "huge-length"}                              a 1 TiB Content-Length, the real body, close
//   {"kind": "delay", "ms": 300}                         the real answer, later
//   {"kind": "trickle", "ms": 200}                       the real answer's header, then its body one byte every ms
//   {"kind": "drop"}                                     close without answering
//   {"kind": "hang"}                                     no answer until the fault is cleared or the server stops
// An optional "count" limits the fault to that many requests.
class Fault
{
public:
    enum class Kind {
        Result,
        Status,
        MalformedXml,
        Html,
        WrongContentType,
        Truncated,
        HugeLength,
        Delay,
        Trickle,
        Drop,
        Hang
    };

    // std::invalid_argument for an unknown kind or missing parameter.
    static Fault fromJson(const nlohmann::json& desc);
    nlohmann::json toJson() const;

    Kind kind() const { return m_kind; }
    int delayMs() const { return m_delayMs; }

    // Faults that answer in place of the device; the operation then does not run at all.
    bool replacesAnswer() const;
    DeviceReply answer() const;

    // Counts one use; false once a limited fault is used up.
    bool consume();

private:
    Kind m_kind = Kind::Drop;
    std::string m_result;
    int m_status = 0;
    int m_delayMs = 0;
    long m_remaining = -1; // -1: unlimited
};

} // namespace OrvaneDevSim
