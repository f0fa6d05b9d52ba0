// Element calls per second from a host to the plamor server over D-Bus,
// against the rate of an empty D-Bus method call to the same server on the
// same bus (org.freedesktop.DBus.Peer.Ping, answered by the server's bus
// connection without any work), and the whole run of a 100,000-element
// drawing from the first host call to the finished file.
//
//   dbus-run-session -- build/bin/plamor-dbus-bench [ELEMENTS]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/folders.h"
#include "server/dbus/dbus_names.h"
#include "server/dbus/dbus_proxy.h"

using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double PingRate(const QString& server, int n) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  QDBusMessage ping = QDBusMessage::createMethodCall(server, "/", "org.freedesktop.DBus.Peer", "Ping");
  auto t = Clock::now();
  for (int i = 0; i < n; ++i) bus.call(ping);
  return n / Seconds(t);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int elements = argc > 1 ? std::atoi(argv[1]) : 100000;
  const auto bin = plamor::folders::ProgramFolder();
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

  std::unique_ptr<plamor::IPlamor> p = plamor::dbus::DBusPlamor::Create(bus, plamor::kPlamorProgId);
  auto t = Clock::now();
  for (int i = 0; i < calls; ++i) p->get_Count();
  const double getter = calls / Seconds(t);
  t = Clock::now();
  for (int i = 0; i < calls; ++i) p->Sen(i, 0, i + 1, 10, {});
  const double sen = calls / Seconds(t);
  t = Clock::now();
  for (int i = 0; i < calls; ++i) p->Sen(i, 0, i + 1, 10, {.vPen = 2, .vStyl = 1});
  const double senOptions = calls / Seconds(t);
  p->Clear();

  // The whole run: registration of a mixed drawing, the output run, the file.
  const auto file = std::filesystem::temp_directory_path() / "plamor-dbus-bench.dxf";
  std::filesystem::remove(file);
  t = Clock::now();
  p->put_FileName(file.string());
  p->put_PaperSize(3);
  for (int i = 0; i < elements; ++i) {
    switch (i % 10) {
      case 0: p->En(i % 400, i % 280, 5, {}); break;
      case 1: p->Moji(i % 400, i % 280, "河川", 0, 0, 0, {}); break;
      default: p->Sen(i % 400, i % 280, i % 400 + 10, i % 280, {}); break;
    }
  }
  const double registered = Seconds(t);
  p->OutPutPlamor((bin / "M_G_L.KVD").string());
  while (p->get_IdolePlamorOutPut()) QThread::usleep(2000);
  const double whole = Seconds(t);
  const auto size = std::filesystem::exists(file) ? std::filesystem::file_size(file) : 0;
  p.reset();
  std::filesystem::remove(file);
  server.terminate();
  server.waitForFinished();

  std::printf("empty D-Bus call (Peer.Ping)      %9.0f calls/s   (baseline)\n", ping);
  std::printf("get_Count                          %9.0f calls/s   %.2f x baseline\n", getter, getter / ping);
  std::printf("Sen, no options                    %9.0f calls/s   %.2f x baseline\n", sen, sen / ping);
  std::printf("Sen with vPen and vStyl            %9.0f calls/s   %.2f x baseline\n", senOptions, senOptions / ping);
  std::printf("%d elements over D-Bus: registered in %.2f s, file written at %.2f s (%.1f MB DXF)\n", elements,
              registered, whole, size / 1e6);
  return 0;
}
