// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the program from a script, one line each time the message loop is idle. The
// project's acceptance tests are scripts with their expected output.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace tv {

class Application;
class Form;
class FrontEnd;
struct DateTime;

class ScenarioRunner {
 public:
  ScenarioRunner(Application& app, FrontEnd& front_end, std::vector<std::string> lines,
                 std::ostream& out);

  // Runs the next line; false when the script is done (the gallery is then closed).
  bool Step();
  bool Failed() const { return failed_; }

 private:
  bool Run(const std::string& line);
  bool Fail(const std::string& why);
  Form* Current();

  Application& app_;
  FrontEnd& front_end_;
  std::vector<std::string> lines_;
  std::ostream& out_;
  size_t next_ = 0;
  std::string window_ = "FrmMain";
  bool failed_ = false;
  bool finished_ = false;
};

// "2027-03-05" "09:07:00" -> a date; false when either is malformed.
bool ParseClock(const std::string& date, const std::string& time, DateTime& out);

}  // namespace tv
