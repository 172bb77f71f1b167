#pragma once
// What the program asks of the desktop besides its own window: message boxes,
// file dialogs, the clipboard, random numbers and quitting. One implementation
// uses Qt; a scripted one answers tests.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/msgkinds.h"

namespace fw {

// The longest box text shown whole, in bytes: a pasted term of a megabyte
// in a message would take seconds to lay out.
inline constexpr size_t kBoxTextMax = 4000;
// The text itself up to kBoxTextMax bytes; a longer one as its beginning and
// its end with " ... " between them, at most kBoxTextMax bytes in all, cut
// between UTF-8 characters.
std::string shortBoxText(const std::string& text);

class Services {
 public:
  virtual ~Services() = default;
  // Modal box with an empty title; returns the code of the button pressed.
  // Two form feeds (code 12) in text separate paragraphs. Every box passes
  // here, so a long text is shortened (shortBoxText) the same for all.
  int msgBox(const std::string& text, int kind = core::kMsgPlain);
  // Save dialog with a suggested file name; nullopt on cancel.
  virtual std::optional<std::string> saveDialog(const std::string& suggestedName) = 0;
  // Open dialog without a type filter; nullopt on cancel.
  virtual std::optional<std::string> openDialog() = 0;
  virtual void setClipboardText(const std::string& text) = 0;
  virtual std::string clipboardText() = 0;
  // Pseudo-random double in [0, 1).
  virtual double rnd() = 0;
  // Ends the program's event loop.
  virtual void quit() = 0;

 protected:
  // The box itself, with its text as it shows.
  virtual int showBox(const std::string& text, int kind) = 0;
};

// The real thing: Qt dialogs, clipboard and event loop.
class QtServices : public Services {
 public:
  // Also installs Qt's German texts for its own dialogs when they are present.
  QtServices();
  std::optional<std::string> saveDialog(const std::string& suggestedName) override;
  std::optional<std::string> openDialog() override;
  void setClipboardText(const std::string& text) override;
  std::string clipboardText() override;
  double rnd() override;
  void quit() override;

 protected:
  int showBox(const std::string& text, int kind) override;

 private:
  uint64_t state_;
};

// For tests: records every box, answers from queues, and fails the running
// test (GoogleTest's ADD_FAILURE is not available here, so a failure hook is
// called) when a box or dialog appears that nobody scripted.
class ScriptedServices : public Services {
 public:
  struct Box {
    std::string text;
    int kind;
  };

  // Queue an answer for the next box (for a plain or caution box the answer
  // may be left out: expectBox queues core::kAnswerOk).
  void expectBox(int answer = core::kAnswerOk) { answers_.push_back(answer); }
  void expectSaveDialog(std::optional<std::string> path) { saves_.push_back(std::move(path)); }
  void expectOpenDialog(std::optional<std::string> path) { opens_.push_back(std::move(path)); }
  void queueRnd(double x) { rnds_.push_back(x); }

  const std::vector<Box>& boxes() const { return boxes_; }
  void clearBoxes() { boxes_.clear(); }
  std::vector<std::string> suggestedNames() const { return suggested_; }
  bool quitCalled() const { return quit_; }
  // True when every scripted answer has been used.
  bool allUsed() const { return answers_.empty() && saves_.empty() && opens_.empty() && rnds_.empty(); }

  // Called with a description whenever something unscripted happens. Tests
  // set it to a GoogleTest failure; the default aborts.
  void setFailureHook(std::function<void(const std::string&)> hook) { fail_ = std::move(hook); }

  std::optional<std::string> saveDialog(const std::string& suggestedName) override;
  std::optional<std::string> openDialog() override;
  void setClipboardText(const std::string& text) override { clipboard_ = text; }
  std::string clipboardText() override { return clipboard_; }
  double rnd() override;
  void quit() override { quit_ = true; }

 protected:
  // Records the box as it shows.
  int showBox(const std::string& text, int kind) override;

 private:
  std::deque<int> answers_;
  std::deque<std::optional<std::string>> saves_, opens_;
  std::deque<double> rnds_;
  std::vector<Box> boxes_;
  std::vector<std::string> suggested_;
  std::string clipboard_;
  bool quit_ = false;
  std::function<void(const std::string&)> fail_;

  void fail(const std::string& what);
};

}  // namespace fw
