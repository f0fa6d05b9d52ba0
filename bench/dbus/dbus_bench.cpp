// Host calls to the plamor server over D-Bus, in one run:
//  - element calls per second one by one, against the rate of an empty D-Bus
//    method call to the same server on the same bus
//    (org.freedesktop.DBus.Peer.Ping, answered without any work);
//  - a mixed 100,000-element drawing from the first host call to the finished
//    DXF: in process (the baseline), and through the bulk path from C++ and
//    from Python (the files must be the same bytes);
//  - 1,000,000 lines through the bulk path from Python (many_lines.py).
//
//   dbus-run-session -- build/bin/plamor-dbus-bench [ELEMENTS [LINES]]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/folders.h"
#include "server/dbus/dbus_batch.h"
#include "server/dbus/dbus_names.h"
#include "server/dbus/dbus_proxy.h"
#include "server/host/inprocess_plamor.h"

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double PingRate(const QString& server, int n) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  QDBusMessage ping = QDBusMessage::createMethodCall(server, "/", "org.freedesktop.DBus.Peer", "Ping");
  auto t = Clock::now();
  for (int i = 0; i < n; ++i) bus.call(ping);
  return n / Seconds(t);
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WaitForRun(plamor::IPlamor& p) {
  while (p.get_IdolePlamorOutPut()) {
    QCoreApplication::processEvents();
    QThread::usleep(1000);
  }
}

// The mixed drawing one call at a time: every tenth element a circle, every
// tenth a text, the rest lines.
void DrawMixed(plamor::IPlamor& p, int elements) {
  for (int i = 0; i < elements; ++i) {
    switch (i % 10) {
      case 0: p.En(i % 400, i % 280, 5, {}); break;
      case 1: p.Moji(i % 400, i % 280, "河川", 0, 0, 0, {}); break;
      default: p.Sen(i % 400, i % 280, i % 400 + 10, i % 280, {}); break;
    }
  }
}

// The same drawing through the bulk path, in messages of at most the limit.
void RegisterMixed(QDBusConnection bus, const QString& path, int elements) {
  using plamor::dbus::BatchRun;
  QList<BatchRun> runs;
  QList<double> numbers;
  QStringList texts;
  quint64 inMessage = 0;
  auto send = [&] {
    QDBusMessage m = QDBusMessage::createMethodCall(plamor::dbus::kBusName, path, plamor::dbus::kBulkInterface, "Register");
    m.setArguments(plamor::dbus::BatchArguments(runs, numbers, texts));
    QDBusMessage r = bus.call(m, QDBus::Block, 600000);
    if (r.type() == QDBusMessage::ErrorMessage) qFatal("%s", qPrintable(r.errorMessage()));
    runs.clear();
    numbers.clear();
    texts.clear();
    inMessage = 0;
  };
  auto add = [&](const char* member) {
    if (!runs.isEmpty() && runs.back().member == member) ++runs.back().count;
    else runs.append({member, 1, {}});
  };
  for (int i = 0; i < elements; ++i) {
    const double x = i % 400, y = i % 280;
    switch (i % 10) {
      case 0: add("En"); numbers << x << y << 5; break;
      case 1: add("Moji"); numbers << x << y; texts << QStringLiteral("河川"); break;
      default: add("Sen"); numbers << x << y << x + 10 << y; break;
    }
    if (++inMessage == plamor::dbus::kMaxBatchCalls) send();
  }
  if (inMessage) send();
}

// Runs a Python host; its last line of output is the seconds it measured.
double RunPython(const fs::path& script, const QStringList& args) {
  QProcess p;
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start("/usr/bin/python3", QStringList{QString::fromStdString(script.string())} + args);
  p.waitForFinished(-1);
  if (p.exitCode() != 0) qFatal("%s failed", script.c_str());
  return p.readAllStandardOutput().trimmed().split('\n').last().toDouble();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int elements = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int lines = argc > 2 ? std::atoi(argv[2]) : 1000000;
  const auto bin = plamor::folders::ProgramFolder();
  const fs::path source = PLAMOR_SOURCE_DIR;
  const std::string font = (bin / "M_G_L.KVD").string();
  const fs::path folder = fs::temp_directory_path() / "plamor-dbus-bench";
  fs::create_directories(folder);
  qputenv("PLAMOR_BIN_DIR", QByteArray::fromStdString(bin.string()));

  QProcess server;
  server.start(QString::fromStdString((bin / "plamor").string()), {"--dbus", "--batch", "--idle-timeout", "-1"});
  QDBusConnection bus = QDBusConnection::sessionBus();
  for (int i = 0; i < 200 && !bus.interface()->isServiceRegistered(plamor::dbus::kBusName); ++i) QThread::msleep(25);
  const QString unique = bus.interface()->serviceOwner(plamor::dbus::kBusName);
  if (unique.isEmpty()) {
    std::fprintf(stderr, "the server did not start\n");
    return 1;
  }

  const int calls = 20000;
  PingRate(unique, 2000);  // warm up
  const double ping = PingRate(unique, calls);
  double getter, sen, senOptions;
  {
    std::unique_ptr<plamor::IPlamor> p = plamor::dbus::DBusPlamor::Create(bus, plamor::kPlamorProgId);
    auto t = Clock::now();
    for (int i = 0; i < calls; ++i) p->get_Count();
    getter = calls / Seconds(t);
    t = Clock::now();
    for (int i = 0; i < calls; ++i) p->Sen(i, 0, i + 1, 10, {});
    sen = calls / Seconds(t);
    t = Clock::now();
    for (int i = 0; i < calls; ++i) p->Sen(i, 0, i + 1, 10, {.vPen = 2, .vStyl = 1});
    senOptions = calls / Seconds(t);
  }

  // In process: the baseline.
  const fs::path inprocFile = folder / "inproc.dxf";
  auto t = Clock::now();
  {
    auto p = plamor::host::MakeInProcessPlamor(plamor::host::ViewKind::Headless);
    p->put_FileName(inprocFile.string());
    p->put_PaperSize(3);
    DrawMixed(*p, elements);
    p->OutPutPlamor(font);
    WaitForRun(*p);
  }
  const double inproc = Seconds(t);

  // C++ host through the bulk path.
  const fs::path cppFile = folder / "bulk-cpp.dxf";
  t = Clock::now();
  {
    auto p = plamor::dbus::DBusPlamor::Create(bus, plamor::kPlamorProgId);
    p->put_FileName(cppFile.string());
    p->put_PaperSize(3);
    RegisterMixed(bus, p->Path(), elements);
    p->OutPutPlamor(font);
    WaitForRun(*p);
  }
  const double cpp = Seconds(t);

  // Python host through the bulk path (its own measurement, from its first call).
  const fs::path pyFile = folder / "bulk-python.dxf";
  const double python = RunPython(source / "bench/dbus/bulk_drawing.py",
                                  {QString::number(elements), QString::fromStdString(pyFile.string())});

  const std::string expected = Bytes(inprocFile);
  const bool same = !expected.empty() && Bytes(cppFile) == expected && Bytes(pyFile) == expected;

  double million = 0;
  if (lines > 0) {
    t = Clock::now();
    RunPython(source / "examples/hosts/python/many_lines.py",
              {QString::number(lines), QString::fromStdString((folder / "lines.dxf").string())});
    million = Seconds(t);
  }
  fs::remove_all(folder);
  server.terminate();
  server.waitForFinished();

  std::printf("empty D-Bus call (Peer.Ping)      %9.0f calls/s   (baseline)\n", ping);
  std::printf("get_Count                          %9.0f calls/s   %.2f x baseline\n", getter, getter / ping);
  std::printf("Sen, no options                    %9.0f calls/s   %.2f x baseline\n", sen, sen / ping);
  std::printf("Sen with vPen and vStyl            %9.0f calls/s   %.2f x baseline\n", senOptions, senOptions / ping);
  std::printf("%d-element drawing, first call to finished DXF:\n", elements);
  std::printf("  in process                       %7.2f s   (baseline)\n", inproc);
  std::printf("  bulk path from C++               %7.2f s   %.2f x in process\n", cpp, cpp / inproc);
  std::printf("  bulk path from Python            %7.2f s   %.2f x in process\n", python, python / inproc);
  std::printf("  the three files are %s\n", same ? "the same bytes" : "DIFFERENT");
  if (lines > 0)
    std::printf("%d lines through the bulk path from Python (many_lines.py, whole program): %.2f s\n", lines,
                million);
  return same ? 0 : 1;
}
