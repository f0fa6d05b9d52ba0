// A drawing that records every call with its arguments, for tests of hosts
// (the script host, the chart controls). Property puts are remembered and read
// back by the gets; element calls count towards Count.
#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/numeric_text.h"
#include "server/plamor_interface.h"

namespace plamor::testing {

class RecordingPlamor : public IPlamor {
 public:
  std::vector<std::string> calls;

  static std::string Text(double v) { return numtext::CStr(v); }
  static std::string Text(std::int32_t v) { return numtext::CStr(v); }
  static std::string Text(std::int16_t v) { return numtext::CStr(v); }
  static std::string Text(const std::string& v) { return "\"" + v + "\""; }
  static std::string Text(bool v) { return v ? "True" : "False"; }
  static std::string Text(const OptionalArg& v) {
    if (auto n = std::get_if<double>(&v.Raw())) return Text(*n);
    if (auto t = std::get_if<std::string>(&v.Raw())) return Text(*t);
    return "";
  }

  // The values a new drawing of the server starts with, where they are not
  // zero, empty or False.
  RecordingPlamor() {
    AtzKeta_ = 3;
    RoundColum_ = 6;
    TextWidth_ = 2.7;
    TextHeight_ = 3.0;
    TextBetween_ = 0.3;
    Layer_ = 1;
    pen_ = 1;
    PaperScale_ = 1.0;
    PaperTate_ = 594;
    PaperYoko_ = 841;
    PaperSize_ = 1;
  }

  // Puts are remembered (in Name_) and recorded as "Name = value"; element
  // calls as "Name x, y, ..., vPen:=value" with the optional arguments given.
#define PLAMOR_PROPERTY(Name, Type, Tag)                  \
  void put_##Name(PropertyIn<Type> value) override {      \
    Name##_ = value;                                      \
    calls.push_back(#Name " = " + Text(value));           \
  }                                                       \
  Type get_##Name() override { return Name##_; }          \
  Type Name##_{};
#define PLAMOR_READONLY(Name, Type, Tag)
#define PLAMOR_ELEMENT(Name, Params, Args) \
  void Name Params override { Push(#Name, Listed Args); }
#define PLAMOR_METHOD(Result, Name, Params, Args)
#define PLAMOR_LOCAL(Result, Name, Params, Args)
#include "server/plamor_members.def"

  std::int32_t get_Count() override { return count_; }
  bool get_DispCancelDlg() override { return false; }
  bool get_IdolePlamorOutPut() override { return idle_polls_left_-- > 0; }
  bool get_Cancel() override { return false; }
  void Clear() override { calls.push_back("Clear"); count_ = 0; }
  void ShowDialog() override { calls.push_back("ShowDialog"); }
  void HideDialog() override { calls.push_back("HideDialog"); }
  void OutPutPlamor(const std::string& path) override {
    calls.push_back("OutPutPlamor " + Text(path));
    idle_polls_left_ = 2;
  }
  std::string OpenFileNameDlg() override { calls.push_back("OpenFileNameDlg"); return ""; }
  void put_LayerName(std::int16_t i, const std::string& v) override {
    layerNames_[i] = v;
    calls.push_back("LayerName(" + std::to_string(i) + ") = " + Text(v));
  }
  std::string get_LayerName(std::int16_t i) override { return layerNames_[i]; }
  RunResult get_RunResult() override { return runResult; }
  void OnRunEnded(RunEndedListener listener) override { runEnded = std::move(listener); }
  void AwaitRunEvent() override { ++awaits; }

  RunResult runResult;       // what get_RunResult answers
  RunEndedListener runEnded;  // the listener a host set
  int awaits = 0;             // AwaitRunEvent calls

 private:
  template <class... Values>
  static std::vector<std::string> Listed(const Values&... values) {
    std::vector<std::string> f;
    (Add(f, values), ...);
    return f;
  }
  template <class Value>
  static void Add(std::vector<std::string>& f, const Value& v) {
    f.push_back(Text(v));
  }
  static void Add(std::vector<std::string>& f, const LineOptions& o) {
    Named(f, "vPen", o.vPen);
    Named(f, "vStyl", o.vStyl);
    Named(f, "vPich", o.vPich);
    Named(f, "vLayer", o.vLayer);
  }
  static void Add(std::vector<std::string>& f, const TextOptions& o) {
    Named(f, "vHeight", o.vHeight);
    Named(f, "vWidth", o.vWidth);
    Named(f, "vBetween", o.vBetween);
    Named(f, "vPen", o.vPen);
    Named(f, "vLayer", o.vLayer);
    Named(f, "vKiten", o.vKiten);
  }
  static void Named(std::vector<std::string>& f, const char* name, const OptionalArg& v) {
    if (!v.IsMissing()) f.push_back(std::string(name) + ":=" + Text(v));
  }
  void Push(const char* name, const std::vector<std::string>& f) {
    std::string s = name;
    for (size_t i = 0; i < f.size(); ++i) s += (i ? ", " : " ") + f[i];
    calls.push_back(s);
    ++count_;
  }

  std::int32_t count_ = 0;
  int idle_polls_left_ = 0;
  std::map<int, std::string> layerNames_;
};

}  // namespace plamor::testing
