#include "Game/settings.h"

#include <GL/glut.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "Base/hostplatform.h"

namespace {

// The table: each entry's name in the file and its default, the game's own.
struct EntryRow
{
    const char* name;
    const char* byDefault;
};

const EntryRow kTable[Settings::kEntries] = {
    { "fullscreen", "no" }, { "up", "Up" }, { "down", "Down" }, { "left", "Left" },
    { "right", "Right" }, { "talk", "Space" }, { "pause", "Escape" },
};

// Besides these, a letter (bound unshifted) or a digit names its own key.
struct KeyName
{
    const char* name;
    Key key;
};

const KeyName kKeyNames[] = {
    { "Space", { false, ' ' } }, { "Escape", { false, 27 } }, { "Tab", { false, '\t' } },
    { "Enter", { false, '\r' } }, { "Up", { true, GLUT_KEY_UP } }, { "Down", { true, GLUT_KEY_DOWN } },
    { "Left", { true, GLUT_KEY_LEFT } }, { "Right", { true, GLUT_KEY_RIGHT } },
};

const char* const kKeyChoice = "a letter, a digit, Space, Escape, Tab, Enter, Up, Down, Left or Right";

bool sameWord(const std::string& a, const char* b)
{
    const std::string other(b);
    return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool keyNamed(const std::string& name, Key& key)
{
    for (const KeyName& k : kKeyNames) {
        if (sameWord(name, k.name)) {
            key = k.key;
            return true;
        }
    }
    const unsigned char c = name.size() == 1 ? static_cast<unsigned char>(name[0]) : 0;
    if (c < 128 && (std::isalpha(c) || std::isdigit(c))) {
        key = Key{ false, std::tolower(c) };
        return true;
    }
    return false;
}

std::string keyName(Key key)
{
    for (const KeyName& k : kKeyNames) {
        if (k.key == key) {
            return k.name;
        }
    }
    return std::string(1, static_cast<char>(key.code));
}

// What the player wrote, safe to print on one line of a terminal.
std::string printable(const std::string& text)
{
    std::string shown;
    for (char c : text.substr(0, 40)) {
        shown += c >= ' ' && c < 127 ? c : '?';
    }
    return "\"" + shown + (text.size() > 40 ? "...\"" : "\"");
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A line of the file as an entry: false for comments and blank lines.
bool splitLine(const std::string& line, std::string& name, std::string& value, bool& bad)
{
    const std::string text = trimmed(line);
    bad = false;
    if (text.empty() || text[0] == '#') {
        return false;
    }
    const auto equals = text.find('=');
    bad = equals == std::string::npos;
    name = trimmed(text.substr(0, equals));
    value = bad ? std::string() : trimmed(text.substr(equals + 1));
    return true;
}

int entryNamed(const std::string& name)
{
    for (int e = 0; e < Settings::kEntries; ++e) {
        if (name == kTable[e].name) {
            return e;
        }
    }
    return -1;
}

// As some Windows editors begin a file: no part of its first line.
std::string byteOrderMark(const std::string& text)
{
    return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(0, 3) : std::string();
}

void report(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

Settings::Settings()
    : on(false), keys(), lines(), changed()
{
    for (int e = kUp; e < kEntries; ++e) {
        keyNamed(kTable[e].byDefault, keys[e]);
    }
}

std::vector<std::string> Settings::parse(const std::string& fileText, const std::string& fileName)
{
    std::vector<std::pair<int, std::string>> problems;
    auto problem = [&](int line, const std::string& what) {
        problems.emplace_back(line, fileName + ":" + std::to_string(line) + ": " + what);
    };
    const std::string text = fileText.substr(byteOrderMark(fileText).size());
    int number = 0;
    for (std::string::size_type start = 0; start < text.size();) {
        const auto end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        std::string name, value;
        bool bad = false;
        if (!splitLine(line, name, value, bad)) {
            continue;
        }
        const int entry = entryNamed(name);
        Key key{ false, 0 };
        if (bad) {
            problem(number, "expected NAME = VALUE, not " + printable(trimmed(line)));
        } else if (entry < 0) {
            problem(number, "no setting named " + printable(name));
        } else if (lines[entry] != 0) {
            problem(number, name + " is already set on line " + std::to_string(lines[entry]));
        } else if (entry == kFullscreen && !sameWord(value, "yes") && !sameWord(value, "no")) {
            problem(number, "fullscreen is yes or no, not " + printable(value));
        } else if (entry != kFullscreen && !keyNamed(value, key)) {
            problem(number, "no key named " + printable(value) + " (" + kKeyChoice + ")");
        } else if (entry == kPause && key == Key{ false, ' ' }) {
            // Let go on the pause screen, Space goes to the title: every pause would end the game.
            problem(number, "pause cannot be Space, which leaves the pause screen for the title; pause keeps Escape");
        } else {
            lines[entry] = number;
            on = entry == kFullscreen ? sameWord(value, "yes") : on;
            keys[entry] = entry == kFullscreen ? keys[entry] : key;
        }
    }
    // Two actions on one key: the one set last in the file keeps its default
    // key, until no two share one (the defaults never do).
    for (;;) {
        int later = -1, other = -1;
        for (int a = kUp; a < kEntries; ++a) {
            for (int b = kUp; b < kEntries; ++b) {
                if (a != b && keys[a] == keys[b] && lines[a] != 0 && (later < 0 || lines[a] > lines[later])) {
                    later = a;
                    other = b;
                }
            }
        }
        if (later < 0) {
            break;
        }
        problem(lines[later], std::string(kTable[later].name) + " = " + keyName(keys[later]) +
                                  ": that is the key of " + kTable[other].name + "; " + kTable[later].name +
                                  " keeps " + kTable[later].byDefault);
        keyNamed(kTable[later].byDefault, keys[later]);
        lines[later] = 0;
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> messages;
    for (const auto& p : problems) {
        messages.push_back(p.second);
    }
    return messages;
}

bool Settings::fullscreen() const
{
    return on;
}

Key Settings::key(Entry action) const
{
    return keys[action];
}

void Settings::setFullscreen(bool fullscreen)
{
    on = fullscreen;
    changed[kFullscreen] = true;
}

std::string Settings::valueText(Entry entry) const
{
    return entry == kFullscreen ? (on ? "yes" : "no") : keyName(keys[entry]);
}

std::string Settings::updated(const std::string& text) const
{
    std::string result = byteOrderMark(text);
    bool written[kEntries] = {};
    for (std::string::size_type start = result.size(); start < text.size();) {
        const auto end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const std::string ending = text.substr(end, 1);
        start = end + 1;
        std::string name, value;
        bool bad = false;
        const int entry = splitLine(line, name, value, bad) ? entryNamed(name) : -1;
        if (entry < 0 || !changed[entry] || written[entry]) {
            result += line + ending;
            continue;
        }
        // A line ended as Windows ends it keeps its ending.
        const bool crlf = !line.empty() && line.back() == '\r';
        result += name + " = " + valueText(Entry(entry)) + (crlf ? "\r" : "") + ending;
        written[entry] = true;
    }
    for (int e = 0; e < kEntries; ++e) {
        if (changed[e] && !written[e]) {
            result += (result.empty() || result.back() == '\n' ? "" : "\n") + std::string(kTable[e].name) + " = " +
                      valueText(Entry(e)) + "\n";
        }
    }
    return result;
}

void Settings::load(const std::string& file)
{
    std::string text, error;
    const FileRead read = file.empty() ? FileRead::kMissing : readTextFile(file, text, error);
    if (read == FileRead::kFailed) {
        report(file + ": cannot read it (" + error + "): the game starts with its own settings");
    }
    for (const std::string& problem : parse(text, file)) {
        report(problem);
    }
}

bool Settings::save(const std::string& file) const
{
    if (file.empty()) {
        report("settings: no per-user folder is known to keep them in: the change lasts until the game ends");
        return false;
    }
    std::string text, error;
    if (readTextFile(file, text, error) == FileRead::kFailed) {
        report(file + ": cannot read it (" + error + "), so it is not rewritten: the change lasts until the game ends");
        return false;
    }
    const std::string changedText = updated(text);
    if (changedText != text && !(makeFoldersFor(file, error) && replaceWholeFile(file, changedText, error))) {
        report(file + ": cannot write it (" + error + "): the change lasts until the game ends");
        return false;
    }
    return true;
}

Settings& playerSettings()
{
    static Settings settings;
    return settings;
}
