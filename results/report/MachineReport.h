#pragma once

#include "results/SavedResult.h"
#include "results/report/MachineFacts.h"
#include "results/report/Report.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace qv::cli {

// What the network side of the machine looks like without sending anything.
struct NetworkFacts {
    std::string localHostName;
    std::vector<std::string> localIPList;
    std::optional<std::string> pingMechanism; // the echo mechanism that opens; empty when none does
    std::vector<std::string> nameServers;
};

// Everything "report" hands over: the processor, the system, the network, the memory, drives and board
// (serial numbers replaced by their keys) and benchmark sessions.
struct MachineReport {
    std::string program;
    std::string created; // UTC, ISO 8601
    Report processor;    // as "cpu --json"
    Report system;       // as "sys --json"
    NetworkFacts network;
    MachineFacts hardware;
    bool allApplications = false; // the text and HTML forms list every package, not only the counts
    std::vector<results::SavedResult> benchmarks;
    std::vector<std::string> warnings;
};

// The three forms of the report. JSON: one indented object. Text: each section as its command prints
// it. HTML: one self-contained page (inline style, no script, no outside link), every text escaped.
std::string reportJsonText(const MachineReport& report);
std::string reportPlainText(const MachineReport& report);
std::string reportHtml(const MachineReport& report);

} // namespace qv::cli
