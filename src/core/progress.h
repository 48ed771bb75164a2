// The status bar's progress indicator and status texts. Long loops report
// through it and call Pump() so that the window stays responsive.
#pragma once

#include <string>

namespace qy {

class Progress {
 public:
  virtual ~Progress() = default;
  virtual void Show() = 0;
  // Also clears the status texts set while the indicator was shown.
  virtual void Hide() = 0;
  virtual void SetRange(int maximum) = 0;  // minimum is always 0
  virtual void SetPosition(int position) = 0;
  virtual int Position() const = 0;
  void Step() { SetPosition(Position() + 1); }
  // Text of status-bar panel `panel` (0 short messages, 1 progress area ...).
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // Lets pending window messages run.
  virtual void Pump() = 0;
};

// A progress indicator that shows nothing (headless runs).
class NullProgress : public Progress {
 public:
  void Show() override {}
  void Hide() override {}
  void SetRange(int maximum) override { maximum_ = maximum; }
  void SetPosition(int position) override { position_ = position; }
  int Position() const override { return position_; }
  void SetStatusText(int, const std::string&) override {}
  void Pump() override {}
  int Maximum() const { return maximum_; }

 private:
  int maximum_ = 0;
  int position_ = 0;
};

}  // namespace qy
