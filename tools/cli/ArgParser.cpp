#include "tools/cli/ArgParser.h"

#include <algorithm>
#include <charconv>

namespace qv::cli {

namespace {

std::string quoted(std::string_view text)
{
    return '\'' + std::string(text) + '\'';
}

// A value may itself start with '-' (a negative number, "-" for standard input), but not with "--":
// "--repeat --json" is a missing value, not a value "--json".
bool looksLikeOption(std::string_view arg)
{
    return arg.starts_with("--");
}

} // namespace

bool ParsedArgs::has(std::string_view name) const
{
    return m_values.find(name) != m_values.end();
}

std::optional<std::string> ParsedArgs::text(std::string_view name) const
{
    const auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::int64_t> ParsedArgs::integer(std::string_view name) const
{
    const auto it = m_integers.find(name);
    if (it == m_integers.end())
        return std::nullopt;
    return it->second;
}

std::vector<std::string> ParsedArgs::texts(std::string_view name) const
{
    const auto it = m_lists.find(name);
    if (it == m_lists.end())
        return {};
    return it->second;
}

ArgParser& ArgParser::flag(std::string name, std::string help)
{
    return declare({std::move(name), {}, std::move(help), Kind::Flag});
}

ArgParser& ArgParser::option(std::string name, std::string valueName, std::string help)
{
    return declare({std::move(name), std::move(valueName), std::move(help), Kind::Text});
}

ArgParser& ArgParser::repeatedOption(std::string name, std::string valueName, std::string help)
{
    Option option{std::move(name), std::move(valueName), std::move(help), Kind::Text};
    option.repeated = true;
    return declare(std::move(option));
}

ArgParser& ArgParser::integerOption(std::string name, std::string valueName, std::int64_t min,
                                    std::int64_t max, std::string help)
{
    return declare({std::move(name), std::move(valueName), std::move(help), Kind::Integer, min, max});
}

ArgParser& ArgParser::positionals(std::string valueName, std::size_t min, std::size_t max)
{
    m_positionalName = std::move(valueName);
    m_minPositionals = min;
    m_maxPositionals = max;
    return *this;
}

ArgParser& ArgParser::declare(Option option)
{
    if (!option.name.starts_with("--") || find(option.name) != nullptr)
        throw std::logic_error("bad or repeated option name " + option.name);
    m_options.push_back(std::move(option));
    return *this;
}

const ArgParser::Option* ArgParser::find(std::string_view name) const
{
    const auto it = std::find_if(m_options.begin(), m_options.end(),
                                 [name](const Option& option) { return option.name == name; });
    return it == m_options.end() ? nullptr : &*it;
}

ParsedArgs ArgParser::parse(std::span<const std::string> args) const
{
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
            parsed.m_positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = std::string_view(arg).substr(0, equals);
        const Option* option = find(name);
        if (option == nullptr)
            throw UsageError("unknown option " + quoted(name));
        if (option->kind == Kind::Flag) {
            if (equals != std::string::npos)
                throw UsageError("option " + quoted(name) + " takes no value");
            parsed.m_values[option->name];
            continue;
        }
        if (equals != std::string::npos) {
            store(*option, arg.substr(equals + 1), parsed);
        } else if (i + 1 < args.size() && !looksLikeOption(args[i + 1])) {
            store(*option, args[++i], parsed);
        } else {
            throw UsageError("option " + quoted(name) + " needs a value " + option->valueName);
        }
    }

    const std::size_t count = parsed.m_positionals.size();
    if (count < m_minPositionals)
        throw UsageError("missing " + m_positionalName);
    if (count > m_maxPositionals)
        throw UsageError("unexpected argument " + quoted(parsed.m_positionals[m_maxPositionals]));
    return parsed;
}

void ArgParser::store(const Option& option, const std::string& value, ParsedArgs& parsed) const
{
    if (value.empty())
        throw UsageError("option " + quoted(option.name) + " needs a value " + option.valueName);
    if (option.kind == Kind::Integer) {
        std::int64_t number = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        const bool digitsOnly = end == value.data() + value.size();
        if (error == std::errc::invalid_argument || !digitsOnly)
            throw UsageError("option " + quoted(option.name) + " expects a whole number, got " +
                             quoted(value));
        if (error == std::errc::result_out_of_range || number < option.min || number > option.max)
            throw UsageError("option " + quoted(option.name) + " must be between " +
                             std::to_string(option.min) + " and " + std::to_string(option.max) + ", got " +
                             value);
        parsed.m_integers[option.name] = number;
    }
    parsed.m_values[option.name] = value;
    if (option.repeated)
        parsed.m_lists[option.name].push_back(value);
}

std::string ArgParser::usage(std::string_view command, std::string_view description) const
{
    std::string text = "Usage: quorvex-cli " + std::string(command);
    std::size_t width = 0;
    for (const Option& option : m_options) {
        const std::string shown = option.shownName();
        text += " [" + shown + ']' + (option.repeated ? "..." : "");
        width = std::max(width, shown.size());
    }
    if (m_maxPositionals > 0)
        text += ' ' + (m_minPositionals > 0 ? m_positionalName : '[' + m_positionalName + ']');
    text += '\n';
    text += description;
    text += '\n';
    if (m_options.empty())
        return text;
    text += "\nOptions:\n";
    for (const Option& option : m_options) {
        std::string shown = option.shownName();
        shown.resize(width, ' ');
        text += "  " + shown + "  " + option.help + '\n';
    }
    return text;
}

} // namespace qv::cli
