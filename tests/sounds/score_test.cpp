#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "synth/score.h"

namespace {

Score Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseScore(in, "tune.txt");
}

// The message of the error that parsing `text` raises, or "" if it parses.
std::string ErrorOf(const std::string& text) {
  try {
    Parse(text);
  } catch (const cScoreError& error) {
    return error.what();
  }
  return "";
}

TEST(TunePitchNames, NamesNotesInMidiNumbers) {
  EXPECT_EQ(PitchNumber("C4"), 60);
  EXPECT_EQ(PitchNumber("A4"), 69);
  EXPECT_EQ(PitchNumber("F#3"), 54);
  EXPECT_EQ(PitchNumber("Bb1"), 34);
  EXPECT_EQ(PitchNumber("C-1"), 0);
  EXPECT_EQ(PitchNumber("kick"), 36);
  EXPECT_EQ(PitchNumber("crash"), 49);
}

TEST(TunePitchNames, RejectsWhatIsNeitherNoteNorDrum) {
  EXPECT_EQ(PitchNumber("H2"), -1);
  EXPECT_EQ(PitchNumber("C"), -1);
  EXPECT_EQ(PitchNumber("C#"), -1);
  EXPECT_EQ(PitchNumber("D4x"), -1);
  EXPECT_EQ(PitchNumber("G99"), -1);
}

TEST(TuneParsing, PlacesNotesOneAfterAnotherAndSkipsRests) {
  const Score score = Parse(
      "tempo 90\n"
      "beats 4\n"
      "voice lead recorder gain=0.5 pan=-0.25\n"
      "  D4:1 r:1/2 F#4:3/2 | >A4+D5:1\n"
      "end\n");
  EXPECT_DOUBLE_EQ(score.tempo, 90.0);
  ASSERT_EQ(score.voices.size(), 1u);
  const Voice& lead = score.voices[0];
  EXPECT_EQ(lead.instrument, "recorder");
  EXPECT_FLOAT_EQ(lead.gain, 0.5f);
  EXPECT_FLOAT_EQ(lead.pan, -0.25f);
  ASSERT_EQ(lead.notes.size(), 3u);
  EXPECT_DOUBLE_EQ(lead.notes[1].start, 1.5);
  EXPECT_DOUBLE_EQ(lead.notes[1].length, 1.5);
  EXPECT_DOUBLE_EQ(lead.notes[2].start, 3.0);
  EXPECT_EQ(lead.notes[2].pitches, (std::vector<int>{69, 74}));
  EXPECT_GT(lead.notes[2].velocity, lead.notes[0].velocity);
}

TEST(TuneParsing, RepeatsPatternsInsideOtherPatterns) {
  const Score score = Parse(
      "beats 6\n"
      "pattern hit\n  _kick:1/2\nend\n"
      "pattern bar\n  @hit*2 snare:1\nend\n"
      "voice drums drums\n  @bar*3\nend\n");
  const auto& notes = score.voices[0].notes;
  ASSERT_EQ(notes.size(), 9u);
  EXPECT_DOUBLE_EQ(notes[3].start, 2.0);
  EXPECT_EQ(notes[3].pitches[0], PitchNumber("kick"));
  EXPECT_EQ(notes[8].pitches[0], PitchNumber("snare"));
  EXPECT_LT(notes[0].velocity, notes[2].velocity);
}

TEST(TuneParsing, TakesHashAsACommentOnlyAtTheStartOfAWord) {
  const Score score = Parse(
      "# a tune\n"
      "beats 2   # two beats\n"
      "voice v brass\n  C#4:1 Eb4:1 #C4:4\nend\n");
  ASSERT_EQ(score.voices[0].notes.size(), 2u);
  EXPECT_EQ(score.voices[0].notes[0].pitches[0], 61);
}

TEST(TuneParsing, RejectsAVoiceThatDoesNotFillTheLoop) {
  const std::string error = ErrorOf("beats 4\nvoice lute lute\n  D3:1 E3:1\nend\n");
  EXPECT_NE(error.find("tune.txt:4:"), std::string::npos) << error;
  EXPECT_NE(error.find("'lute' lasts 2 beats"), std::string::npos) << error;
}

TEST(TuneParsing, ReportsMistakesWithTheirLine) {
  EXPECT_NE(ErrorOf("beats 1\nvoice v lute\n  @missing\nend\n").find("tune.txt:3: unknown pattern"),
            std::string::npos);
  EXPECT_NE(ErrorOf("beats 1\nvoice v lute\n  X4:1\nend\n").find("tune.txt:3:"), std::string::npos);
  EXPECT_NE(ErrorOf("beats 1\nvoice v lute\n  D4\nend\n").find("needs ':'"), std::string::npos);
  EXPECT_NE(ErrorOf("beats 1\nvoice v lute\n  D4:0\nend\n").find("must be positive"),
            std::string::npos);
  EXPECT_NE(ErrorOf("voice v lute\n  D4:1\nend\n").find("'beats' must come before"),
            std::string::npos);
  EXPECT_NE(ErrorOf("beats 1\nvoice v lute\n  D4:1\n").find("has no 'end'"), std::string::npos);
  EXPECT_NE(ErrorOf("beats 1\nreverb depth=3\n").find("unknown option"), std::string::npos);
  EXPECT_NE(ErrorOf("beats 1\n").find("no voices"), std::string::npos);
}

}  // namespace
