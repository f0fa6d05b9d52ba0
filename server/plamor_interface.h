// The drawing interface `_clsPlamor` as one C++ interface, in the member order
// of the automation interface. The in-process `clsPlamor`, the D-Bus proxy a
// host gets from another process, and the recording stand-in of tests all
// implement it, so a host (and the chart controls) are written once.
//
// Properties are put_/get_ pairs (put before get), as the interface lists
// them; optional arguments of element calls are grouped in small structs whose
// fields carry the argument names of the type library.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "server/optional_arg.h"

namespace plamor {

// Identifiers of the creatable class.
inline constexpr const char* kPlamorProgId = "TessaroPlamor.clsPlamor";
inline constexpr const char* kPlamorClsid = "{501B463E-A247-11D3-B575-0090FE01B13E}";
inline constexpr const char* kPlamorIid = "{88198186-1F8B-4DBE-A1EF-7C225B5AE4EE}";

// Optional attributes of `En`, `Enko`, `Daen`, `Daenko` and `Sen`.
struct LineOptions {
  OptionalArg vPen{}, vStyl{}, vPich{}, vLayer{};
};

// Optional attributes of `Moji`, `MojiExtMsM` and `MojiExtMsG`.
struct TextOptions {
  OptionalArg vHeight{}, vWidth{}, vBetween{}, vPen{}, vLayer{}, vKiten{};
};

// How the last output run of an object ended, as hosts learn it without
// reading prompts. The numbers travel over D-Bus as they are.
enum class RunState : std::int32_t {
  kNoRun = 0,      // no output run yet on this object
  kRunning = 1,    // OutPutPlamor was called and the run has not ended
  kWritten = 2,    // the file is complete at `path`
  kCancelled = 3,  // the user (or the end of the host) cancelled it
  kFailed = 4,     // `message` is the text of the message that stopped it
};

struct RunResult {
  RunState state = RunState::kNoRun;
  std::string path;     // full path of the written file (kWritten)
  std::string message;  // what stopped the run (kFailed)
  bool operator==(const RunResult&) const = default;
};

// Receives the outcome each time an output run ends.
using RunEndedListener = std::function<void(const RunResult&)>;

class IPlamor {
 public:
  virtual ~IPlamor() = default;

  virtual void put_Optimaze(std::int32_t value) = 0;
  virtual std::int32_t get_Optimaze() = 0;
  virtual void put_AutoSize(bool value) = 0;
  virtual bool get_AutoSize() = 0;
  virtual void put_AtzKeta(std::int32_t value) = 0;
  virtual std::int32_t get_AtzKeta() = 0;
  virtual std::int32_t get_Count() = 0;
  virtual bool get_DispCancelDlg() = 0;
  virtual bool get_IdolePlamorOutPut() = 0;
  virtual bool get_Cancel() = 0;
  virtual void put_FileName(const std::string& value) = 0;
  virtual std::string get_FileName() = 0;
  virtual void put_FilePath(const std::string& value) = 0;
  virtual std::string get_FilePath() = 0;
  virtual void put_Memo(const std::string& value) = 0;
  virtual std::string get_Memo() = 0;
  virtual void put_RoundColum(std::int32_t value) = 0;
  virtual std::int32_t get_RoundColum() = 0;
  virtual void put_pich(double value) = 0;
  virtual double get_pich() = 0;
  virtual void put_TextWidth(double value) = 0;
  virtual double get_TextWidth() = 0;
  virtual void put_TextHeight(double value) = 0;
  virtual double get_TextHeight() = 0;
  virtual void put_TextBetween(double value) = 0;
  virtual double get_TextBetween() = 0;
  virtual void put_TextKiten(std::int32_t value) = 0;
  virtual std::int32_t get_TextKiten() = 0;
  virtual void put_Style(std::int32_t value) = 0;
  virtual std::int32_t get_Style() = 0;
  virtual void put_Layer(std::int16_t value) = 0;
  virtual std::int16_t get_Layer() = 0;
  virtual void put_pen(std::int32_t value) = 0;
  virtual std::int32_t get_pen() = 0;
  virtual void put_Paper(std::int32_t value) = 0;
  virtual std::int32_t get_Paper() = 0;
  virtual void put_PaperScale(double value) = 0;
  virtual double get_PaperScale() = 0;
  virtual void put_PaperTate(double value) = 0;
  virtual double get_PaperTate() = 0;
  virtual void put_PaperYoko(double value) = 0;
  virtual double get_PaperYoko() = 0;
  virtual void put_PaperSize(std::int32_t value) = 0;
  virtual std::int32_t get_PaperSize() = 0;

  virtual void En(double x, double y, double r, const LineOptions& options = {}) = 0;
  virtual void Enko(double x, double y, double r, double sAng, double mang,
                    const LineOptions& options = {}) = 0;
  virtual void Daen(double x, double y, double xr, double yr, double lang = 0,
                    const LineOptions& options = {}) = 0;
  virtual void Daenko(double x, double y, double xr, double yr, double sAng, double mang,
                      double lang = 0, const LineOptions& options = {}) = 0;
  virtual void Sen(double x1, double y1, double x2, double y2, const LineOptions& options = {}) = 0;
  virtual void Moji(double x, double y, const std::string& cText, std::int32_t tStyl = 0,
                    double cAng = 0, double tAng = 0, const TextOptions& options = {}) = 0;
  virtual void Clear() = 0;
  virtual void ShowDialog() = 0;
  virtual void HideDialog() = 0;
  virtual void OutPutPlamor(const std::string& MGLPath) = 0;
  virtual std::string OpenFileNameDlg() = 0;

  virtual void put_HouiAngle(double value) = 0;
  virtual double get_HouiAngle() = 0;
  virtual void put_GentenX(double value) = 0;
  virtual double get_GentenX() = 0;
  virtual void put_GentenY(double value) = 0;
  virtual double get_GentenY() = 0;
  virtual void put_PlamorFlg(std::int32_t value) = 0;
  virtual std::int32_t get_PlamorFlg() = 0;
  virtual void MojiExtMsM(double x, double y, const std::string& cText, std::int32_t tStyl = 0,
                          double cAng = 0, double tAng = 0, const TextOptions& options = {}) = 0;
  virtual void MojiExtMsG(double x, double y, const std::string& cText, std::int32_t tStyl = 0,
                          double cAng = 0, double tAng = 0, const TextOptions& options = {}) = 0;
  virtual void put_DXFOnly(bool value) = 0;
  virtual bool get_DXFOnly() = 0;
  virtual void put_LayerName(std::int16_t Index, const std::string& value) = 0;
  virtual std::string get_LayerName(std::int16_t Index) = 0;

  // Appended after the members of the automation interface: how the last
  // output run ended (the read-only RunResult of the D-Bus interface).
  virtual RunResult get_RunResult() = 0;
  // The in-process form of the RunEnded signal: `listener` is called with the
  // outcome when an output run of this object ends (one listener; an empty
  // function removes it).
  virtual void OnRunEnded(RunEndedListener listener) = 0;
  // Serves this host's pending events and, while there are none, sleeps until
  // one arrives that may change the output run's state (its end, the server
  // leaving, the connection closing). A host calls it between two polls of
  // IdolePlamorOutPut instead of pausing for a fixed time.
  virtual void AwaitRunEvent() = 0;
};

// How a host waits after OutPutPlamor: reads IdolePlamorOutPut and stops when
// it is False, otherwise reads Cancel and stops when it is True, otherwise
// lets its events be served until the run may have changed (then calls
// `afterEvents`, when given), and reads again.
inline void WaitForOutput(IPlamor& drawing, const std::function<void()>& afterEvents = {}) {
  while (drawing.get_IdolePlamorOutPut()) {
    if (drawing.get_Cancel()) break;
    drawing.AwaitRunEvent();
    if (afterEvents) afterEvents();
  }
}

}  // namespace plamor
