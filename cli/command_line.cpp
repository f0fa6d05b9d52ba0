#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <iostream>
#include <map>

namespace plamor::cli {
namespace {

// Option columns up to this width line their descriptions up; a longer one
// is followed by its description directly.
constexpr std::size_t kAlignedColumn = 26;

std::string Bare(const std::string& name) { return name.substr(name.find_first_not_of('-')); }

std::string Dashed(const std::string& name) { return (name.size() == 1 ? "-" : "--") + name; }

std::vector<std::string> SplitNames(const std::string& names) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= names.size()) {
    std::size_t end = names.find(',', start);
    if (end == std::string::npos) end = names.size();
    out.push_back(names.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

// QCommandLineParser's messages in the form and words of ours:
// "Missing value after '--output'." -> "option --output needs a value".
std::string MessageOf(const QCommandLineParser& parser) {
  if (!parser.unknownOptionNames().isEmpty())
    return "unknown option " + Dashed(parser.unknownOptionNames().first().toStdString());
  const std::string text = parser.errorText().toStdString();
  const auto quoted = [&text] {
    const auto a = text.find('\''), b = text.rfind('\'');
    return a != std::string::npos && b > a ? text.substr(a + 1, b - a - 1) : std::string();
  };
  if (text.rfind("Missing value", 0) == 0) return "option " + quoted() + " needs a value";
  if (text.rfind("Unexpected value", 0) == 0) return "option " + quoted() + " takes no value";
  std::string message = text;
  if (!message.empty() && message.back() == '.') message.pop_back();
  if (!message.empty()) message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
  return message;
}

}  // namespace

const char* Version() { return PLAMOR_VERSION; }

Command::Command(std::string name, std::string synopsis, std::string summary)
    : name_(std::move(name)), synopsis_(std::move(synopsis)), summary_(std::move(summary)) {}

Command& Command::Flag(const std::string& names, const std::string& description) {
  options_.push_back({SplitNames(names), "", description});
  return *this;
}

Command& Command::Option(const std::string& names, const std::string& valueName,
                                 const std::string& description) {
  options_.push_back({SplitNames(names), valueName, description});
  return *this;
}

Command& Command::Note(const std::string& text) {
  notes_ += "\n" + text + "\n";
  return *this;
}

std::string Command::Help() const {
  std::vector<OptionEntry> all = options_;
  all.push_back({{"h", "help"}, "", "show this help and exit"});
  all.push_back({{"version"}, "", "show the version and exit"});
  std::vector<std::string> columns;
  std::size_t width = 0;
  for (const OptionEntry& o : all) {
    std::string column = o.names[0].size() == 1 ? "" : "    ";
    for (std::size_t i = 0; i < o.names.size(); ++i) column += (i ? ", " : "") + Dashed(o.names[i]);
    if (!o.valueName.empty()) column += " " + o.valueName;
    if (column.size() <= kAlignedColumn) width = std::max(width, column.size());
    columns.push_back(column);
  }
  std::string text = "Usage: " + name_ + (synopsis_.empty() ? "" : " " + synopsis_) + "\n" + summary_ + "\n\nOptions:\n";
  for (std::size_t i = 0; i < all.size(); ++i)
    text += "  " + columns[i] + std::string(std::max(width, columns[i].size()) - columns[i].size() + 2, ' ') +
            all[i].description + "\n";
  return text + notes_;
}

struct CommandLine::Parsed {
  QCommandLineParser parser;
  std::map<std::string, std::string> longNames;  // any name of an option -> "--long" (or "-s")

  std::string Named(const std::string& name) const {
    const auto found = longNames.find(Bare(name));
    return found != longNames.end() ? found->second : Dashed(Bare(name));
  }
};

CommandLine::CommandLine(const Command& usage, const std::vector<std::string>& args)
    : parsed_(std::make_unique<Parsed>()) {
  QCommandLineParser& parser = parsed_->parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
  for (const Command::OptionEntry& o : usage.Options()) {
    QStringList names;
    for (const auto& n : o.names) names << QString::fromStdString(n);
    parser.addOption(QCommandLineOption(names, QString::fromStdString(o.description),
                                        QString::fromStdString(o.valueName)));
    for (const auto& n : o.names) parsed_->longNames[n] = Dashed(o.names.back());
  }
  parser.addOption(QCommandLineOption(QStringList{"h", "help"}));
  parser.addOption(QCommandLineOption("version"));
  QStringList list{QString::fromStdString(usage.Name())};
  bool optionsEnded = false;
  for (const auto& a : args) {
    optionsEnded = optionsEnded || a == "--";
    // "-o=FILE" is read as "-o FILE", as "--output=FILE" is.
    if (!optionsEnded && a.size() > 2 && a[0] == '-' && a[1] != '-' && a[2] == '=')
      list << QString::fromStdString(a.substr(0, 2)) << QString::fromStdString(a.substr(3));
    else
      list << QString::fromStdString(a);
  }
  if (!parser.parse(list)) throw UsageError(MessageOf(parser));
  for (const QString& p : parser.positionalArguments()) positional_.push_back(p.toStdString());
}

CommandLine::~CommandLine() = default;
CommandLine::CommandLine(CommandLine&&) noexcept = default;

bool CommandLine::Flag(const std::string& name) const {
  return parsed_->parser.isSet(QString::fromStdString(Bare(name)));
}

std::vector<std::string> CommandLine::Values(const std::string& name) const {
  std::vector<std::string> out;
  for (const QString& v : parsed_->parser.values(QString::fromStdString(Bare(name)))) out.push_back(v.toStdString());
  return out;
}

std::optional<std::string> CommandLine::Value(const std::string& name) const {
  const auto values = Values(name);
  if (values.size() > 1) throw UsageError("option " + parsed_->Named(name) + " is given twice");
  if (values.empty()) return std::nullopt;
  return values[0];
}

std::string CommandLine::Required(const std::string& name) const {
  auto v = Value(name);
  if (!v) throw UsageError("option " + parsed_->Named(name) + " is required");
  return *v;
}

std::string UsageErrorLine(const std::string& commandName, const std::string& message) {
  return commandName + ": " + message + " (see " + commandName + " --help)";
}

std::optional<CommandLine> Read(const Command& usage, const std::vector<std::string>& args, int* exitStatus) {
  try {
    CommandLine line(usage, args);
    if (line.HelpAsked() || line.VersionAsked()) {
      const std::string program = usage.Name().substr(0, usage.Name().find(' '));
      std::cout << (line.HelpAsked() ? usage.Help() : program + " " + Version() + "\n") << std::flush;
      *exitStatus = 0;
      return std::nullopt;
    }
    return line;
  } catch (const UsageError& e) {
    std::cerr << UsageErrorLine(usage.Name(), e.what()) << "\n";
    *exitStatus = 2;
    return std::nullopt;
  }
}

std::vector<std::string> Arguments(int argc, char** argv, int skip) {
  return skip < argc ? std::vector<std::string>(argv + skip, argv + argc) : std::vector<std::string>();
}

}  // namespace plamor::cli
