#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv::cli {

// A mistake in the command line: the dispatcher prints the message and the usage and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The options a subcommand was given, after validation.
class ParsedArgs {
public:
    // True when the flag or option appeared.
    bool has(std::string_view name) const;
    // The value of a text or integer option as typed; empty when it was not given.
    std::optional<std::string> text(std::string_view name) const;
    // The value of an integer option; empty when it was not given.
    std::optional<std::int64_t> integer(std::string_view name) const;
    // Every value of a repeated option, in command-line order; `text` gives the last.
    std::vector<std::string> texts(std::string_view name) const;
    const std::vector<std::string>& positionals() const { return m_positionals; }

private:
    friend class ArgParser;
    std::map<std::string, std::string, std::less<>> m_values;
    std::map<std::string, std::int64_t, std::less<>> m_integers;
    std::map<std::string, std::vector<std::string>, std::less<>> m_lists;
    std::vector<std::string> m_positionals;
};

// Declares a subcommand's options and parses its arguments. Options are long names ("--json");
// a value follows as the next argument or after '=' ("--repeat 3", "--repeat=3"); "--" ends the options.
class ArgParser {
public:
    ArgParser& flag(std::string name, std::string help);
    ArgParser& option(std::string name, std::string valueName, std::string help);
    // A text option that may be given several times ("--compare a --compare b").
    ArgParser& repeatedOption(std::string name, std::string valueName, std::string help);
    // An option whose value must be a whole number in [min, max].
    ArgParser& integerOption(std::string name, std::string valueName, std::int64_t min, std::int64_t max,
                             std::string help);
    // Arguments that are not options, between `min` and `max` of them, shown as `valueName` in the usage.
    ArgParser& positionals(std::string valueName, std::size_t min, std::size_t max);

    // Throws UsageError for an unknown option, a missing or malformed value, or a wrong argument count.
    ParsedArgs parse(std::span<const std::string> args) const;

    // "Usage: quorvex-cli <command> [--json] ..." followed by the description and one line per option.
    std::string usage(std::string_view command, std::string_view description) const;

private:
    enum class Kind { Flag, Text, Integer };
    struct Option {
        std::string name;
        std::string valueName;
        std::string help;
        Kind kind;
        std::int64_t min = 0;
        std::int64_t max = 0;
        bool repeated = false;

        // "--repeat N" or "--json", as the usage shows it.
        std::string shownName() const { return valueName.empty() ? name : name + ' ' + valueName; }
    };

    ArgParser& declare(Option option);
    const Option* find(std::string_view name) const;
    void store(const Option& option, const std::string& value, ParsedArgs& parsed) const;

    std::vector<Option> m_options;
    std::string m_positionalName;
    std::size_t m_minPositionals = 0;
    std::size_t m_maxPositionals = 0;
};

} // namespace qv::cli
