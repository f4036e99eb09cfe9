#pragma once
// Incoming byte stream -> framed sentences -> checksum check -> parsed commands.
//
// feed() accepts arbitrary bytes in pieces of any size. A sentence runs from "$" to its line
// feed; a "$" inside a sentence starts a new one, bytes outside sentences are skipped, and a
// sentence longer than kMaxSentence is rejected without being stored. The control program
// writes every command five times in a row: the same text arriving again within the repeat
// window of its previous copy is reported as a repeat, not as a new command.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Command.h"

namespace kelmsim {

struct CommandEvent {
    enum class Kind { Accepted, Rejected, Repeat };
    Kind kind = Kind::Rejected;
    std::string text;    // the sentence as received, without its line end, made printable
    std::string reason;  // why a sentence was rejected
    std::optional<Command> command;  // set when accepted
};

// A parse result: the command, or the reason it was refused.
using ParsedCommand = std::variant<Command, std::string>;

class CommandParser {
public:
    static constexpr std::size_t kMaxSentence = 200;

    explicit CommandParser(double repeatWindowSeconds = 1.0);

    std::vector<CommandEvent> feed(std::string_view bytes, double nowSeconds);

    // One sentence from "$" up to its checksum, without line end.
    static ParsedCommand parseSentence(std::string_view sentence);

private:
    std::optional<CommandEvent> finishSentence(double nowSeconds);

    double repeatWindow_;
    std::string current_;
    bool inSentence_ = false;
    bool overlong_ = false;
    std::string lastText_;
    double lastTime_ = 0.0;
    bool haveLast_ = false;
};

}  // namespace kelmsim
