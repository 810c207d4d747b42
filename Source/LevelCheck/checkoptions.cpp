#include "LevelCheck/checkoptions.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace
{

// A whole number of minutes within the range, in plain digits; -1 for
// anything else, a sign, a blank, a fraction or a tail among them.
int readMinutes(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    const int minutes = std::stoi(text);
    return minutes >= CheckOptions::kFewestMinutes && minutes <= CheckOptions::kMostMinutes ? minutes : -1;
}

CheckOptions::Name nameOf(const std::string& given)
{
    std::error_code error;
    const fs::path path = fs::absolute(given, error);
    return { given, error ? given : path.string() };
}

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return fs::equivalent(a, b, error);
}

}  // namespace

CheckOptions::CheckOptions(int argc, const char* const* argv)
    : help(false), play(false), minutes(10), picture(), heatmap(), levels(), mistake()
{
    const std::string tool = "morvellant-levelcheck: ";
    bool options = true;
    for (int i = 1; i < argc && mistake.empty() && !help; ++i) {
        const std::string arg = argv[i];
        const bool last = i + 1 == argc;
        if (!options || arg == "-" || arg.empty() || arg[0] != '-') {
            if (arg.empty()) {
                mistake = tool + "a level's name is empty";
            }
            levels.push_back(nameOf(arg));
        } else if (arg == "--") {
            options = false;
        } else if (arg == "--help") {
            help = true;
        } else if (arg == "--play") {
            play = true;
        } else if (arg == "--minutes") {
            minutes = last ? -1 : readMinutes(argv[++i]);
            if (minutes < 0) {
                mistake = tool + "--minutes takes a whole number from " + std::to_string(kFewestMinutes) + " to "
                          + std::to_string(kMostMinutes);
            }
        } else if (arg == "--picture" || arg == "--heatmap") {
            Name& out = arg == "--picture" ? picture : heatmap;
            out = last ? Name() : nameOf(argv[++i]);
            if (out.given.empty()) {
                mistake = tool + arg + " takes the name of the PNG file to write";
            }
        } else {
            mistake = tool + "unknown option " + printable(arg);
        }
    }
    if (!mistake.empty() || help) {
        return;
    }
    if (levels.empty()) {
        mistake = tool + "no level to check";
    } else if (!heatmap.given.empty() && !play) {
        mistake = tool + "--heatmap needs --play";
    } else if ((!picture.given.empty() || !heatmap.given.empty()) && levels.size() > 1) {
        mistake = tool + "--picture and --heatmap take a single level";
    }
    for (const Name* out : { &picture, &heatmap }) {
        if (mistake.empty() && !out->given.empty() && sameFile(out->path, levels.front().path)) {
            mistake = tool + printable(out->given) + " is the level: it would be written over";
        }
    }
}

std::string printable(const std::string& name)
{
    std::string shown = name;
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            c = '?';
        }
    }
    return shown;
}
