// Drives the stand-in "edgeview.dll" the way the demo does: command files
// into its control folder, this (the UI) thread's messages pumped until the
// stand-in has taken them, and its call log read back.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace orvanta::testing {

// The control folder of this test process (EDGEVIEW_STANDIN_DIR).
const std::wstring& StandInFolder();
void RemoveStandInFolder();

// The bytes of a file, "" when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);

// Pumps this thread's messages until `done` or a guard of 10 s; false then.
bool PumpUntil(const std::function<bool()>& done);
// Lets pending messages run once.
void PumpPending();

class StandInDriver {
 public:
  // Log lines written from now on are the ones Lines() returns.
  void Mark();
  std::vector<std::string> Lines() const;
  // A place in the log, and the lines written after it.
  static std::size_t Checkpoint();
  static std::vector<std::string> LinesSince(std::size_t checkpoint);
  static std::vector<std::string> AllLines();
  // Lines since the mark that start with `prefix`.
  std::vector<std::string> LinesStartingWith(const std::string& prefix) const;
  // The lines since the mark that report an error of the stand-in.
  std::vector<std::string> Errors() const { return LinesStartingWith("ERROR"); }
  // The lines since the mark, one per line, for failure messages.
  std::string Transcript() const;

  // One command (its fields, joined by TAB, escaped); returns once the
  // stand-in has run it. False when it did not within the guard time.
  bool Command(const std::vector<std::string>& fields);
  // Runs a command and returns the log lines written while it ran (none
  // when the stand-in did not take it). The mark stays where it is.
  std::vector<std::string> CommandLines(const std::vector<std::string>& fields);
  // Waits for a line since the mark that starts with `prefix`.
  bool WaitForLine(const std::string& prefix);

  // The stand-in's live objects and lent text blocks, from a "dump".
  struct Census {
    int objects = -1;
    int blocks = -1;
  };
  Census Count();

  static void SetNoRuntime(bool missing);

 private:
  std::size_t mark_ = 0;
};

}  // namespace orvanta::testing
