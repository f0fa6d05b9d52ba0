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

#define REC_PROPERTY(Name, Type, Init)                                           \
  void put_##Name(Type value) override {                                          \
    Name##_ = value;                                                              \
    calls.push_back(#Name " = " + Text(static_cast<Type>(value)));                \
  }                                                                               \
  Type get_##Name() override { return Name##_; }                                  \
  Type Name##_ = Init;
#define REC_STRING_PROPERTY(Name)                                                 \
  void put_##Name(const std::string& value) override {                            \
    Name##_ = value;                                                              \
    calls.push_back(#Name " = " + Text(value));                                   \
  }                                                                               \
  std::string get_##Name() override { return Name##_; }                           \
  std::string Name##_;

  REC_PROPERTY(Optimaze, std::int32_t, 0)
  REC_PROPERTY(AutoSize, bool, false)
  REC_PROPERTY(AtzKeta, std::int32_t, 3)
  std::int32_t get_Count() override { return count_; }
  bool get_DispCancelDlg() override { return false; }
  bool get_IdolePlamorOutPut() override { return idle_polls_left_-- > 0; }
  bool get_Cancel() override { return false; }
  REC_STRING_PROPERTY(FileName)
  REC_STRING_PROPERTY(FilePath)
  REC_STRING_PROPERTY(Memo)
  REC_PROPERTY(RoundColum, std::int32_t, 6)
  REC_PROPERTY(pich, double, 0)
  REC_PROPERTY(TextWidth, double, 2.7)
  REC_PROPERTY(TextHeight, double, 3.0)
  REC_PROPERTY(TextBetween, double, 0.3)
  REC_PROPERTY(TextKiten, std::int32_t, 0)
  REC_PROPERTY(Style, std::int32_t, 0)
  REC_PROPERTY(Layer, std::int16_t, 1)
  REC_PROPERTY(pen, std::int32_t, 1)
  REC_PROPERTY(Paper, std::int32_t, 0)
  REC_PROPERTY(PaperScale, double, 1.0)
  REC_PROPERTY(PaperTate, double, 594)
  REC_PROPERTY(PaperYoko, double, 841)
  REC_PROPERTY(PaperSize, std::int32_t, 1)
  REC_PROPERTY(HouiAngle, double, 0)
  REC_PROPERTY(GentenX, double, 0)
  REC_PROPERTY(GentenY, double, 0)
  REC_PROPERTY(PlamorFlg, std::int32_t, 0)
  REC_PROPERTY(DXFOnly, bool, false)
#undef REC_PROPERTY
#undef REC_STRING_PROPERTY

  void En(double x, double y, double r, const LineOptions& o) override {
    Element("En", {Text(x), Text(y), Text(r)}, o);
  }
  void Enko(double x, double y, double r, double s, double m, const LineOptions& o) override {
    Element("Enko", {Text(x), Text(y), Text(r), Text(s), Text(m)}, o);
  }
  void Daen(double x, double y, double xr, double yr, double lang, const LineOptions& o) override {
    Element("Daen", {Text(x), Text(y), Text(xr), Text(yr), Text(lang)}, o);
  }
  void Daenko(double x, double y, double xr, double yr, double s, double m, double lang,
              const LineOptions& o) override {
    Element("Daenko", {Text(x), Text(y), Text(xr), Text(yr), Text(s), Text(m), Text(lang)}, o);
  }
  void Sen(double x1, double y1, double x2, double y2, const LineOptions& o) override {
    Element("Sen", {Text(x1), Text(y1), Text(x2), Text(y2)}, o);
  }
  void Moji(double x, double y, const std::string& t, std::int32_t s, double c, double a,
            const TextOptions& o) override {
    TextElement("Moji", x, y, t, s, c, a, o);
  }
  void MojiExtMsM(double x, double y, const std::string& t, std::int32_t s, double c, double a,
                  const TextOptions& o) override {
    TextElement("MojiExtMsM", x, y, t, s, c, a, o);
  }
  void MojiExtMsG(double x, double y, const std::string& t, std::int32_t s, double c, double a,
                  const TextOptions& o) override {
    TextElement("MojiExtMsG", x, y, t, s, c, a, o);
  }
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
  void Element(const char* name, std::vector<std::string> fixed, const LineOptions& o) {
    Named(fixed, "vPen", o.vPen);
    Named(fixed, "vStyl", o.vStyl);
    Named(fixed, "vPich", o.vPich);
    Named(fixed, "vLayer", o.vLayer);
    Push(name, fixed);
  }
  void TextElement(const char* name, double x, double y, const std::string& t, std::int32_t s,
                   double c, double a, const TextOptions& o) {
    std::vector<std::string> f{Text(x), Text(y), Text(t), Text(double(s)), Text(c), Text(a)};
    Named(f, "vHeight", o.vHeight);
    Named(f, "vWidth", o.vWidth);
    Named(f, "vBetween", o.vBetween);
    Named(f, "vPen", o.vPen);
    Named(f, "vLayer", o.vLayer);
    Named(f, "vKiten", o.vKiten);
    Push(name, f);
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
