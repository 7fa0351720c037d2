#include "synth/score.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

namespace {

// Drum hits take the numbers of the General MIDI percussion map.
const std::map<std::string, int> kDrumNumbers = {
    {"boom", 35}, {"kick", 36}, {"snare", 38},   {"lowtom", 41},
    {"hat", 42},  {"tom", 45},  {"openhat", 46}, {"crash", 49},
};

constexpr float kAccentVelocity = 1.0f;
constexpr float kPlainVelocity = 0.75f;
constexpr float kSoftVelocity = 0.5f;

// A '#' opens a comment only at the start of a word, since it also
// sharpens pitches (C#4).
std::size_t CommentStart(const std::string& line) {
  for (std::size_t i = 0; i < line.size(); ++i)
    if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
      return i;
  return line.size();
}

struct Step {
  double length = 0.0;
  float velocity = kPlainVelocity;
  std::vector<int> pitches;  // empty for a rest
};

class cParser {
 public:
  explicit cParser(std::string sourceName) : source(std::move(sourceName)) {}

  Score Parse(std::istream& text) {
    std::string line;
    while (std::getline(text, line)) {
      ++lineNumber;
      line.erase(CommentStart(line));
      std::istringstream words(line);
      std::vector<std::string> tokens;
      for (std::string word; words >> word;) tokens.push_back(word);
      if (!tokens.empty()) Handle(tokens);
    }
    if (!openBlock.empty()) Fail("'" + openBlock + "' has no 'end'");
    if (score.voices.empty()) Fail("the tune has no voices");
    return score;
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw cScoreError(source + ":" + std::to_string(lineNumber) + ": " + message);
  }

  double Number(const std::string& text) const {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
      Fail("'" + text + "' is not a number");
    return value;
  }

  // "1", "0.5" or "3/2".
  double Length(const std::string& text) const {
    const auto slash = text.find('/');
    const double length = slash == std::string::npos
                              ? Number(text)
                              : Number(text.substr(0, slash)) / Number(text.substr(slash + 1));
    if (!(length > 0.0) || !std::isfinite(length)) Fail("length '" + text + "' must be positive");
    return length;
  }

  // Reads key=value options into the given fields.
  void Options(const std::vector<std::string>& tokens, std::size_t first,
               const std::map<std::string, float*>& fields) const {
    for (std::size_t i = first; i < tokens.size(); ++i) {
      const auto equals = tokens[i].find('=');
      const auto field =
          equals == std::string::npos ? fields.end() : fields.find(tokens[i].substr(0, equals));
      if (field == fields.end()) Fail("unknown option '" + tokens[i] + "'");
      *field->second = float(Number(tokens[i].substr(equals + 1)));
    }
  }

  void Handle(const std::vector<std::string>& tokens) {
    const std::string& word = tokens[0];
    if (!openBlock.empty()) {
      if (word == "end" && tokens.size() == 1)
        CloseBlock();
      else
        for (const auto& token : tokens) Body(token);
      return;
    }
    if (word == "tempo" && tokens.size() == 2) {
      score.tempo = Number(tokens[1]);
      if (!(score.tempo > 0.0)) Fail("the tempo must be positive");
    } else if (word == "beats" && tokens.size() == 2) {
      score.beats = Length(tokens[1]);
    } else if (word == "reverb") {
      Options(tokens, 1,
              {{"size", &score.reverb.size},
               {"damping", &score.reverb.damping},
               {"wet", &score.reverb.wet}});
    } else if (word == "pattern" && tokens.size() == 2) {
      if (patterns.contains(tokens[1])) Fail("pattern '" + tokens[1] + "' is defined twice");
      Open("pattern", tokens[1]);
    } else if (word == "voice" && tokens.size() >= 3) {
      if (score.beats <= 0.0) Fail("'beats' must come before the first voice");
      Voice voice;
      voice.name = tokens[1];
      voice.instrument = tokens[2];
      Options(tokens, 3, {{"gain", &voice.gain}, {"pan", &voice.pan}});
      score.voices.push_back(voice);
      Open("voice", tokens[1]);
    } else {
      Fail("cannot read '" + word + "' here");
    }
  }

  void Open(const std::string& kind, const std::string& name) {
    openBlock = kind;
    blockName = name;
    steps.clear();
  }

  void CloseBlock() {
    if (openBlock == "pattern") {
      patterns[blockName] = steps;
    } else {
      Voice& voice = score.voices.back();
      double at = 0.0;
      for (const Step& step : steps) {
        if (!step.pitches.empty())
          voice.notes.push_back({at, step.length, step.velocity, step.pitches});
        at += step.length;
      }
      if (std::fabs(at - score.beats) > 1e-6) {
        std::ostringstream message;
        message << "voice '" << voice.name << "' lasts " << at << " beats, the loop "
                << score.beats;
        Fail(message.str());
      }
    }
    openBlock.clear();
  }

  void Body(const std::string& token) {
    if (token == "|") return;
    if (token[0] == '@') {
      const auto star = token.find('*');
      const std::string name =
          token.substr(1, star == std::string::npos ? std::string::npos : star - 1);
      const auto pattern = patterns.find(name);
      if (pattern == patterns.end()) Fail("unknown pattern '" + name + "'");
      const double times = star == std::string::npos ? 1.0 : Number(token.substr(star + 1));
      if (times < 1.0 || times != std::floor(times))
        Fail("'" + token + "' needs a whole repeat count");
      for (int i = 0; i < int(times); ++i)
        steps.insert(steps.end(), pattern->second.begin(), pattern->second.end());
      return;
    }
    Step step;
    std::string text = token;
    if (text[0] == '>' || text[0] == '_') {
      step.velocity = text[0] == '>' ? kAccentVelocity : kSoftVelocity;
      text.erase(0, 1);
    }
    const auto colon = text.find(':');
    if (colon == std::string::npos) Fail("'" + token + "' needs ':' and a length");
    step.length = Length(text.substr(colon + 1));
    const std::string pitches = text.substr(0, colon);
    if (pitches != "r") {
      std::istringstream names(pitches);
      for (std::string name; std::getline(names, name, '+');) {
        const int number = PitchNumber(name);
        if (number < 0) Fail("'" + name + "' is neither a pitch nor a drum");
        step.pitches.push_back(number);
      }
    }
    steps.push_back(step);
  }

  std::string source;
  int lineNumber = 0;
  Score score;
  std::map<std::string, std::vector<Step>> patterns;
  std::string openBlock;  // "pattern", "voice" or empty
  std::string blockName;
  std::vector<Step> steps;
};

}  // namespace

int PitchNumber(const std::string& name) {
  if (const auto drum = kDrumNumbers.find(name); drum != kDrumNumbers.end()) return drum->second;
  static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
  int semitone = kSemitones[name[0] - 'A'];
  std::size_t at = 1;
  if (name[at] == '#' || name[at] == 'b') semitone += name[at++] == '#' ? 1 : -1;
  int octave = 0;
  const auto [end, error] = std::from_chars(name.data() + at, name.data() + name.size(), octave);
  if (error != std::errc() || end != name.data() + name.size() || at == name.size()) return -1;
  const int number = 12 * (octave + 1) + semitone;
  return number >= 0 && number <= 127 ? number : -1;
}

Score ParseScore(std::istream& text, const std::string& sourceName) {
  return cParser(sourceName).Parse(text);
}

Score LoadScore(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw cScoreError("cannot open " + path);
  return ParseScore(file, path);
}
