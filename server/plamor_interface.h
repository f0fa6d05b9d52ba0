// The drawing interface `_clsPlamor` as one C++ interface, in the member order
// of the automation interface; its members are listed in plamor_members.def.
// The in-process `clsPlamor`, the D-Bus proxy a host gets from another
// process, and the recording stand-in of tests all implement it, so a host
// (and the chart controls) are written once.
//
// Properties are put_/get_ pairs (put before get), as the interface lists
// them; optional arguments of element calls are grouped in small structs whose
// fields carry the argument names of the type library.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

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

// How the put of a property takes its value: a text by reference, a number or
// truth value as it is.
template <class T>
using PropertyIn = std::conditional_t<std::is_same_v<T, std::string>, const std::string&, T>;

class IPlamor {
 public:
  virtual ~IPlamor() = default;

  // The members in interface order, as plamor_members.def lists them.
#define PLAMOR_DECLARE(...) virtual __VA_ARGS__ = 0;
#include "server/plamor_declarations.inc"
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
