#pragma once
// Keeps libraries quiet while they probe: the audio back-ends SDL tries on a machine without a
// sound card (ALSA above all) write their complaints straight to standard error, lines that
// mean nothing to a player. While a cQuietStderr lives, standard error goes nowhere, unless
// the developer's trace is on (DRAKMOOR_DEBUG=1). Use it only around such calls, on the one
// thread that writes the game's own lines.

class cQuietStderr {
 public:
  cQuietStderr();
  ~cQuietStderr();
  cQuietStderr(const cQuietStderr&) = delete;
  cQuietStderr& operator=(const cQuietStderr&) = delete;

 private:
  int savedStderr = -1;  // the real standard error while it is diverted
};
