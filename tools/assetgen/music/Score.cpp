#include "Score.h"

#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "Instruments.h"

namespace asset::music {

namespace {

constexpr double kEpsilon = 1e-6;
// Note lengths in quarter notes: a 128th note up to sixteen whole notes.
constexpr double kShortestLength = 1.0 / 32, kLongestLength = 64;
// Pitches the instruments can play: C0 to C9.
constexpr int kLowestPitch = 12, kHighestPitch = 120;
constexpr float kDefaultVelocity = 0.8f;
constexpr float kAccent = 1.25f;

struct ScoreLine {
    int number = 0;
    std::vector<std::string> tokens;
};

// One voice's lines in a section: written-out notes, or a pattern that
// repeats over the section's chords, or nothing.
struct Part {
    bool pattern = false;
    bool silent = false;
    std::vector<ScoreLine> lines;
};

struct Section {
    std::string name;
    int line = 0;
    std::vector<ScoreLine> chords;
    std::map<std::string, Part> parts;
};

struct Token {
    std::vector<std::string> stack;  // the parts of "c4+e4+g4"
    double length = 0;
    bool accent = false;
    bool chromatic = false;  // "!": a note outside the key, written on purpose
};

// A bar's worth of tokens with the line they came from.
struct Bar {
    int line = 0;
    std::vector<std::string> tokens;
};

struct ChordSpan {
    double start = 0, end = 0;
    Chord chord;
};

std::vector<std::string> Tokenise(const std::string& line) {
    std::vector<std::string> tokens;
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
        if (word[0] == '#') break;  // a comment (a sharp never starts a word)
        std::string piece;
        for (char c : word) {
            if (c != '|') {
                piece += c;
                continue;
            }
            if (!piece.empty()) tokens.push_back(piece);
            tokens.push_back("|");
            piece.clear();
        }
        if (!piece.empty()) tokens.push_back(piece);
    }
    return tokens;
}

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

// "q" "e." "e3" (a triplet eighth) "1.5" "2/3": quarter notes.
bool ParseLength(const std::string& text, double& beats) {
    static const std::map<char, double> kLetters = {{'w', 4},   {'h', 2},    {'q', 1},
                                                    {'e', 0.5}, {'s', 0.25}, {'t', 0.125}};
    if (text.empty()) return false;
    const auto letter = kLetters.find(text[0]);
    if (letter != kLetters.end()) {
        beats = letter->second;
        if (text.size() == 1) return true;
        if (text.size() != 2) return false;
        if (text[1] == '.')
            beats *= 1.5;
        else if (text[1] == '3')
            beats *= 2.0 / 3.0;
        else
            return false;
        return true;
    }
    const size_t slash = text.find('/');
    if (slash != std::string::npos) {
        double top = 0, bottom = 0;
        if (!ParseNumber(text.substr(0, slash), top) ||
            !ParseNumber(text.substr(slash + 1), bottom))
            return false;
        if (bottom <= 0) return false;
        beats = top / bottom;
    } else if (!ParseNumber(text, beats)) {
        return false;
    }
    return beats >= kShortestLength && beats <= kLongestLength;
}

bool ParseDegree(const std::string& text, int& degree, int& octaveShift) {
    size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits == 0 || digits > 2) return false;
    degree = std::stoi(text.substr(0, digits));
    octaveShift = 0;
    for (size_t i = digits; i < text.size(); ++i) {
        if (text[i] == '\'')
            octaveShift += 12;
        else if (text[i] == ',')
            octaveShift -= 12;
        else
            return false;
    }
    return true;
}

class Reader {
  public:
    explicit Reader(std::string name) : name_(std::move(name)) {}

    Song Read(const std::string& text) {
        std::istringstream lines(text);
        std::string line;
        int number = 0;
        while (std::getline(lines, line)) {
            ++number;
            std::vector<std::string> tokens = Tokenise(line);
            if (!tokens.empty()) ReadLine(number, std::move(tokens));
        }
        if (form_.empty()) Fail(number, "the score has no form line");
        if (song_.voices.empty()) Fail(number, "the score has no voices");
        Expand();
        return song_;
    }

  private:
    [[noreturn]] void Fail(int line, const std::string& what) const {
        throw std::runtime_error(name_ + ":" + std::to_string(line) + ": " + what);
    }

    double Number(const ScoreLine& line, size_t index, double lo, double hi) const {
        double value = 0;
        if (index >= line.tokens.size() || !ParseNumber(line.tokens[index], value) || value < lo ||
            value > hi) {
            std::ostringstream what;
            what << "expected a number from " << lo << " to " << hi << " after "
                 << line.tokens[index - 1];
            Fail(line.number, what.str());
        }
        return value;
    }

    void ReadLine(int number, std::vector<std::string> tokens) {
        const ScoreLine line{number, std::move(tokens)};
        const std::string& word = line.tokens[0];
        if (word == "section") return StartSection(line);
        if (word == "voice") return DeclareVoice(line);
        if (word == "chords") return AddChords(line);
        if (word == "form") return ReadForm(line);
        if (FindVoice(word)) return AddPart(line);
        ReadDirective(line);
    }

    void ReadDirective(const ScoreLine& line) {
        const std::string& word = line.tokens[0];
        if (word == "title") {
            for (size_t i = 1; i < line.tokens.size(); ++i)
                song_.title += (i > 1 ? " " : "") + line.tokens[i];
        } else if (word == "key") {
            if (line.tokens.size() != 3 || !ParseKey(line.tokens[1], line.tokens[2], song_.key)) {
                Fail(line.number, "expected a key such as \"key a minor\"");
            }
        } else if (word == "tempo") {
            song_.tempo = Number(line, 1, 20, 300);
        } else if (word == "meter") {
            ReadMeter(line);
        } else if (word == "swing") {
            song_.swing = Number(line, 1, 0.5, 0.75);
        } else if (word == "loop") {
            if (line.tokens.size() != 2 || (line.tokens[1] != "yes" && line.tokens[1] != "no")) {
                Fail(line.number, "expected \"loop yes\" or \"loop no\"");
            }
            song_.looped = line.tokens[1] == "yes";
        } else if (word == "tail") {
            song_.tailSeconds = Number(line, 1, 0.1, 10);
        } else if (word == "reverb") {
            ReadReverb(line);
        } else {
            Fail(line.number,
                 "unknown word \"" + word + "\" (not a directive, section or declared voice)");
        }
    }

    void ReadMeter(const ScoreLine& line) {
        const std::string text = line.tokens.size() == 2 ? line.tokens[1] : "";
        const size_t slash = text.find('/');
        double top = 0, bottom = 0;
        if (slash == std::string::npos || !ParseNumber(text.substr(0, slash), top) ||
            !ParseNumber(text.substr(slash + 1), bottom) || top < 1 || top > 12 ||
            (bottom != 2 && bottom != 4 && bottom != 8)) {
            Fail(line.number, "expected a metre such as \"meter 3/4\"");
        }
        song_.meterTop = static_cast<int>(top);
        song_.meterBottom = static_cast<int>(bottom);
    }

    void ReadReverb(const ScoreLine& line) {
        for (size_t i = 1; i < line.tokens.size(); i += 2) {
            const std::string& setting = line.tokens[i];
            if (setting == "size")
                song_.roomSize = Number(line, i + 1, 0, 1);
            else if (setting == "damping")
                song_.damping = Number(line, i + 1, 0, 1);
            else if (setting == "wet")
                song_.wet = Number(line, i + 1, 0, 1);
            else
                Fail(line.number, "unknown reverb setting \"" + setting + "\"");
        }
    }

    void DeclareVoice(const ScoreLine& line) {
        if (line.tokens.size() < 3) Fail(line.number, "expected \"voice NAME INSTRUMENT ...\"");
        Voice voice;
        voice.name = line.tokens[1];
        voice.instrument = line.tokens[2];
        if (FindVoice(voice.name))
            Fail(line.number, "voice \"" + voice.name + "\" is declared twice");
        if (!IsKnownInstrument(voice.instrument))
            Fail(line.number, "unknown instrument " + voice.instrument);
        for (size_t i = 3; i < line.tokens.size(); i += 2) {
            const std::string& setting = line.tokens[i];
            if (setting == "gain")
                voice.gain = Number(line, i + 1, 0, 2);
            else if (setting == "pan")
                voice.pan = Number(line, i + 1, -1, 1);
            else if (setting == "spread")
                voice.spread = Number(line, i + 1, 0, 1);
            else if (setting == "send")
                voice.send = Number(line, i + 1, 0, 1);
            else if (setting == "low")
                voice.low = PitchAt(line, i + 1);
            else
                Fail(line.number, "unknown voice setting \"" + setting + "\"");
        }
        song_.voices.push_back(voice);
    }

    int PitchAt(const ScoreLine& line, size_t index) const {
        int midi = 0;
        if (index >= line.tokens.size() || !ParsePitch(line.tokens[index], midi)) {
            Fail(line.number, "expected a note such as c4");
        }
        return midi;
    }

    void StartSection(const ScoreLine& line) {
        if (line.tokens.size() != 2 && !(line.tokens.size() == 4 && line.tokens[2] == "from")) {
            Fail(line.number, "expected \"section NAME\" or \"section NAME from OTHER\"");
        }
        if (FindSection(line.tokens[1]))
            Fail(line.number, "section " + line.tokens[1] + " is defined twice");
        Section section;
        if (line.tokens.size() == 4) {
            const Section* base = FindSection(line.tokens[3]);
            if (!base) Fail(line.number, "no section " + line.tokens[3] + " to start from");
            section = *base;
        }
        section.name = line.tokens[1];
        section.line = line.number;
        sections_.push_back(section);
        writtenHere_.clear();
    }

    Section& Current(const ScoreLine& line) {
        if (sections_.empty()) Fail(line.number, "notes and chords belong in a section");
        return sections_.back();
    }

    void AddChords(const ScoreLine& line) {
        Section& section = Current(line);
        if (!writtenHere_.count("chords")) section.chords.clear();
        writtenHere_.insert("chords");
        section.chords.push_back({line.number, {line.tokens.begin() + 1, line.tokens.end()}});
    }

    // The first line of a voice in a section replaces what it inherited;
    // further lines continue it.
    void AddPart(const ScoreLine& line) {
        Section& section = Current(line);
        Part& part = section.parts[line.tokens[0]];
        const bool first = !writtenHere_.count(line.tokens[0]);
        writtenHere_.insert(line.tokens[0]);
        const bool silent = line.tokens.size() == 2 && line.tokens[1] == "-";
        const bool pattern = line.tokens.size() > 1 && line.tokens[1] == "~";
        if (first)
            part = Part{pattern, silent, {}};
        else if (part.pattern != pattern || part.silent || silent)
            Fail(line.number, "a voice's lines in a section must all be notes or all pattern");
        if (!silent)
            part.lines.push_back(
                {line.number, {line.tokens.begin() + (pattern ? 2 : 1), line.tokens.end()}});
    }

    void ReadForm(const ScoreLine& line) {
        for (size_t i = 1; i < line.tokens.size(); ++i) {
            if (!FindSection(line.tokens[i])) Fail(line.number, "no section " + line.tokens[i]);
            form_.push_back(line.tokens[i]);
        }
        if (form_.empty()) Fail(line.number, "the form names no sections");
    }

    const Section* FindSection(const std::string& name) const {
        for (const Section& section : sections_) {
            if (section.name == name) return &section;
        }
        return nullptr;
    }

    Voice* FindVoice(const std::string& name) {
        for (Voice& voice : song_.voices) {
            if (voice.name == name) return &voice;
        }
        return nullptr;
    }

    // --- Turning sections into notes -------------------------------------

    void Expand() {
        double start = 0;
        for (const std::string& name : form_) {
            const Section& section = *FindSection(name);
            song_.sections.push_back({name, start});
            start += ExpandSection(section, start);
        }
        song_.lengthBeats = start;
    }

    // Splits lines into bars; "%" repeats the bar before.
    std::vector<Bar> BarsOf(const std::vector<ScoreLine>& lines) const {
        std::vector<Bar> bars;
        for (const ScoreLine& line : lines) {
            Bar bar{line.number, {}};
            bool open = false;
            auto close = [&] {
                if (bar.tokens.size() == 1 && bar.tokens[0] == "%") {
                    if (bars.empty()) Fail(line.number, "\"%\" with no bar before it");
                    bar.tokens = bars.back().tokens;
                }
                bars.push_back(bar);
                bar.tokens.clear();
            };
            for (const std::string& token : line.tokens) {
                if (token != "|") {
                    bar.tokens.push_back(token);
                    open = true;
                } else if (open) {
                    close();
                    open = false;
                }
            }
            if (open) close();
        }
        return bars;
    }

    double ExpandSection(const Section& section, double start) {
        const std::vector<Bar> chordBars = BarsOf(section.chords);
        const std::vector<ChordSpan> chords = ReadChords(chordBars, start);
        double length = chordBars.size() * song_.BarBeats();
        for (const auto& [voiceName, part] : section.parts) {
            if (part.silent || part.pattern) continue;
            const double written = BarsOf(part.lines).size() * song_.BarBeats();
            if (length == 0) length = written;
            if (std::fabs(written - length) > kEpsilon) {
                Fail(part.lines.front().number,
                     voiceName + " has " + std::to_string(written / song_.BarBeats()) +
                         " bars in section " + section.name + ", which has " +
                         std::to_string(length / song_.BarBeats()));
            }
        }
        if (length == 0)
            Fail(section.line, "section " + section.name + " has no chords and no written notes");
        for (const auto& [voiceName, part] : section.parts) {
            if (part.silent) continue;
            Voice& voice = *FindVoice(voiceName);
            if (part.pattern)
                ExpandPattern(voice, part, chords, start, length);
            else
                ExpandNotes(voice, part, start);
        }
        return length;
    }

    std::vector<ChordSpan> ReadChords(const std::vector<Bar>& bars, double start) {
        std::vector<ChordSpan> spans;
        double barStart = start;
        for (const Bar& bar : bars) {
            std::vector<std::pair<std::string, double>> chords;
            double given = 0;
            int unsized = 0;
            for (const std::string& token : bar.tokens) {
                const size_t colon = token.find(':');
                double length = 0;
                if (colon != std::string::npos && !ParseLength(token.substr(colon + 1), length)) {
                    Fail(bar.line, "bad length in " + token);
                }
                chords.push_back({token.substr(0, colon), length});
                given += length;
                unsized += length == 0;
            }
            const double share = unsized ? (song_.BarBeats() - given) / unsized : 0;
            double at = barStart;
            for (auto& [symbol, length] : chords) {
                if (length == 0) length = share;
                ChordSpan span{at, at + length, {}};
                if (!ParseChord(symbol, span.chord)) Fail(bar.line, "unknown chord " + symbol);
                if (length <= 0) Fail(bar.line, "chord " + symbol + " has no time left in its bar");
                spans.push_back(span);
                song_.harmony.push_back({at, length, symbol, span.chord});
                at += length;
            }
            if (std::fabs(at - barStart - song_.BarBeats()) > kEpsilon)
                Fail(bar.line, "the chords do not fill the bar");
            barStart += song_.BarBeats();
        }
        return spans;
    }

    Token ReadToken(const std::string& text, int line, double& stickyLength) const {
        Token token;
        // The marks may stand before or after the length: "gb5!:e", "gb5:e!".
        std::string body;
        for (char c : text) {
            if (c == '^')
                token.accent = true;
            else if (c == '!')
                token.chromatic = true;
            else
                body += c;
        }
        const size_t colon = body.find(':');
        if (colon != std::string::npos) {
            if (!ParseLength(body.substr(colon + 1), stickyLength))
                Fail(line, "bad length in " + text);
            body.resize(colon);
        }
        token.length = stickyLength;
        size_t from = 0;
        while (true) {
            const size_t plus = body.find('+', from);
            token.stack.push_back(body.substr(from, plus - from));
            if (token.stack.back().empty()) Fail(line, "empty note in " + text);
            if (plus == std::string::npos) break;
            from = plus + 1;
        }
        return token;
    }

    // Reads "@0.7": sets the loudness of the notes that follow.
    bool ReadVelocity(const std::string& text, int line, float& velocity) const {
        if (text[0] != '@') return false;
        double value = 0;
        if (!ParseNumber(text.substr(1), value) || value <= 0 || value > 1)
            Fail(line, "bad loudness " + text);
        velocity = static_cast<float>(value);
        return true;
    }

    void Emit(Voice& voice, double beat, double length, int pitch, float velocity, bool accent,
              int line) {
        if (!IsKit(voice.instrument) && (pitch < kLowestPitch || pitch > kHighestPitch)) {
            Fail(line, voice.name + ": a note beyond the range C0 to C9");
        }
        const float loudness = std::min(1.0f, velocity * (accent ? kAccent : 1.0f));
        voice.notes.push_back({beat, length, pitch, loudness});
    }

    int WrittenPitch(const Voice& voice, const std::string& text, bool chromatic, int line) const {
        int pitch = 0;
        if (IsKit(voice.instrument)) {
            pitch = DrumOf(text);
            if (pitch < 0) Fail(line, "unknown drum " + text);
            return pitch;
        }
        if (!ParsePitch(text, pitch)) Fail(line, "not a note: " + text);
        if (!chromatic && !song_.key.Contains(pitch)) {
            Fail(line, text + " is outside the key; write " + text + "! if it is meant");
        }
        return pitch;
    }

    void ExpandNotes(Voice& voice, const Part& part, double start) {
        double stickyLength = 1, time = start;
        float velocity = kDefaultVelocity;
        size_t lastNote = voice.notes.size(), lastCount = 0;
        for (const Bar& bar : BarsOf(part.lines)) {
            const double barStart = time;
            for (const std::string& text : bar.tokens) {
                if (ReadVelocity(text, bar.line, velocity)) continue;
                const Token token = ReadToken(text, bar.line, stickyLength);
                const std::string& first = token.stack[0];
                if (first == "_") {
                    if (lastCount == 0) Fail(bar.line, "\"_\" ties nothing");
                    for (size_t i = lastNote; i < lastNote + lastCount; ++i)
                        voice.notes[i].length += token.length;
                } else if (first == "r") {
                    lastCount = 0;
                } else {
                    lastNote = voice.notes.size();
                    for (const std::string& note : token.stack) {
                        Emit(voice, time, token.length,
                             WrittenPitch(voice, note, token.chromatic, bar.line), velocity,
                             token.accent, bar.line);
                    }
                    lastCount = token.stack.size();
                }
                time += token.length;
            }
            if (std::fabs(time - barStart - song_.BarBeats()) > kEpsilon) {
                std::ostringstream what;
                what << voice.name << ": a bar lasts " << time - barStart << " beats, not "
                     << song_.BarBeats();
                Fail(bar.line, what.str());
            }
        }
    }

    // The pitches of one pattern step over a chord.
    // The voice's chord voicing, led smoothly from its previous one; the same
    // for every step over one chord.
    const std::vector<int>& Voicing(const Voice& voice, const Chord& chord, double spanStart) {
        VoicingState& state = voicings_[voice.name];
        if (state.spanStart != spanStart || state.notes.empty()) {
            state.notes = VoiceChord(chord, voice.low, state.notes);
            state.spanStart = spanStart;
        }
        return state.notes;
    }

    std::vector<int> PatternPitches(Voice& voice, const Token& token, const Chord* chord,
                                    double spanStart, int line) {
        std::vector<int> pitches;
        for (const std::string& part : token.stack) {
            int pitch = 0, degree = 0, shift = 0;
            if (IsKit(voice.instrument) || ParsePitch(part, pitch)) {
                pitches.push_back(WrittenPitch(voice, part, token.chromatic, line));
                continue;
            }
            if (!chord) Fail(line, "a chord-tone pattern needs chords in its section");
            if (part[0] == '*') {
                const std::vector<int> voicing = Voicing(voice, *chord, spanStart);
                if (part == "*") {
                    pitches.insert(pitches.end(), voicing.begin(), voicing.end());
                } else if (ParseDegree(part.substr(1), degree, shift) && degree >= 1) {
                    // *4 of a three-note voicing is its lowest note an octave up.
                    const size_t index = static_cast<size_t>(degree - 1);
                    pitches.push_back(voicing[index % voicing.size()] +
                                      12 * static_cast<int>(index / voicing.size()) + shift);
                } else {
                    Fail(line, "not a voicing note: " + part);
                }
            } else if (ParseDegree(part, degree, shift) &&
                       ChordTone(*chord, degree, voice.low, pitch)) {
                pitches.push_back(pitch + shift);
            } else {
                Fail(line, "not a chord degree, note, \"*\" or \"*N\": " + part);
            }
        }
        return pitches;
    }

    std::vector<Token> PatternTokens(const Part& part, std::vector<float>& velocities,
                                     double& length) const {
        std::vector<Token> tokens;
        double stickyLength = 1;
        float velocity = kDefaultVelocity;
        length = 0;
        for (const ScoreLine& line : part.lines) {
            for (const std::string& text : line.tokens) {
                if (text == "|" || ReadVelocity(text, line.number, velocity)) continue;
                tokens.push_back(ReadToken(text, line.number, stickyLength));
                velocities.push_back(velocity);
                length += tokens.back().length;
            }
        }
        return tokens;
    }

    // Repeats the pattern over the section; a step that spans a change of
    // chord is struck again on the new chord.
    void ExpandPattern(Voice& voice, const Part& part, const std::vector<ChordSpan>& chords,
                       double start, double length) {
        std::vector<float> velocities;
        double patternLength = 0;
        const std::vector<Token> tokens = PatternTokens(part, velocities, patternLength);
        const int line = part.lines.front().number;
        const double repeats = length / patternLength;
        if (tokens.empty() || std::fabs(repeats - std::round(repeats)) > kEpsilon) {
            Fail(line, voice.name + ": the pattern does not divide its section evenly");
        }
        double time = start;
        for (int repeat = 0; repeat < std::lround(repeats); ++repeat) {
            for (size_t i = 0; i < tokens.size(); ++i) {
                const Token& token = tokens[i];
                const double end = time + token.length;
                if (token.stack[0] != "r")
                    EmitStep(voice, token, velocities[i], chords, time, end, line);
                time = end;
            }
        }
    }

    // Drums and written notes in a pattern ignore the chords.
    bool FollowsChords(const Voice& voice, const Token& token) const {
        if (IsKit(voice.instrument)) return false;
        int pitch = 0;
        for (const std::string& part : token.stack) {
            if (!ParsePitch(part, pitch)) return true;
        }
        return false;
    }

    void EmitStep(Voice& voice, const Token& token, float velocity,
                  const std::vector<ChordSpan>& chords, double from, double to, int line) {
        bool struck = false;
        for (const ChordSpan& span : chords) {
            if (!FollowsChords(voice, token)) break;
            const double begin = std::max(from, span.start), end = std::min(to, span.end);
            if (end - begin <= kEpsilon) continue;
            for (int pitch : PatternPitches(voice, token, &span.chord, span.start, line)) {
                Emit(voice, begin, end - begin, pitch, velocity, token.accent && !struck, line);
            }
            struck = true;
        }
        if (!struck) {
            for (int pitch : PatternPitches(voice, token, nullptr, from, line)) {
                Emit(voice, from, to - from, pitch, velocity, token.accent, line);
            }
        }
    }

    std::string name_;
    Song song_;
    std::vector<Section> sections_;
    std::set<std::string> writtenHere_;  // voices (and "chords") written in the current section
    std::vector<std::string> form_;
    struct VoicingState {
        double spanStart = -1;
        std::vector<int> notes;
    };
    std::map<std::string, VoicingState> voicings_;
};

}  // namespace

double Song::SecondsAt(double beat) const {
    const double whole = std::floor(beat), fraction = beat - whole;
    const double swung =
        fraction < 0.5 ? fraction * 2 * swing : swing + (fraction - 0.5) * 2 * (1 - swing);
    return (whole + swung) * 60.0 / tempo;
}

Song ReadSong(const std::string& text, const std::string& name) {
    return Reader(name).Read(text);
}

}  // namespace asset::music
