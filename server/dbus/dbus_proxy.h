// A drawing object of the server in another process, reached over the D-Bus
// session bus: the host side of the drawing interface. Failures of the server
// come back as AutomationError with the server's error number; a server that
// left the bus, or a closed connection, as error 462 saying which.
#pragma once

#include <QDBusConnection>
#include <QString>

#include <memory>
#include <vector>

#include "server/dbus/dbus_client.h"
#include "server/plamor_members.h"

namespace plamor::dbus {

class DBusPlamor : public IPlamor {
 public:
  // Asks the server's class factory for a new object. The server must own
  // its bus name already (see StartServer). Throws AutomationError on failure.
  static std::unique_ptr<DBusPlamor> Create(QDBusConnection connection, const QString& identifier);
  ~DBusPlamor() override;  // releases the object in the server

  QString Path() const { return path_; }
  QString Service() const { return service_; }
  QDBusConnection Connection() const { return connection_; }

  void put_Optimaze(std::int32_t v) override;
  std::int32_t get_Optimaze() override;
  void put_AutoSize(bool v) override;
  bool get_AutoSize() override;
  void put_AtzKeta(std::int32_t v) override;
  std::int32_t get_AtzKeta() override;
  std::int32_t get_Count() override;
  bool get_DispCancelDlg() override;
  bool get_IdolePlamorOutPut() override;
  bool get_Cancel() override;
  void put_FileName(const std::string& v) override;
  std::string get_FileName() override;
  void put_FilePath(const std::string& v) override;
  std::string get_FilePath() override;
  void put_Memo(const std::string& v) override;
  std::string get_Memo() override;
  void put_RoundColum(std::int32_t v) override;
  std::int32_t get_RoundColum() override;
  void put_pich(double v) override;
  double get_pich() override;
  void put_TextWidth(double v) override;
  double get_TextWidth() override;
  void put_TextHeight(double v) override;
  double get_TextHeight() override;
  void put_TextBetween(double v) override;
  double get_TextBetween() override;
  void put_TextKiten(std::int32_t v) override;
  std::int32_t get_TextKiten() override;
  void put_Style(std::int32_t v) override;
  std::int32_t get_Style() override;
  void put_Layer(std::int16_t v) override;
  std::int16_t get_Layer() override;
  void put_pen(std::int32_t v) override;
  std::int32_t get_pen() override;
  void put_Paper(std::int32_t v) override;
  std::int32_t get_Paper() override;
  void put_PaperScale(double v) override;
  double get_PaperScale() override;
  void put_PaperTate(double v) override;
  double get_PaperTate() override;
  void put_PaperYoko(double v) override;
  double get_PaperYoko() override;
  void put_PaperSize(std::int32_t v) override;
  std::int32_t get_PaperSize() override;
  void En(double x, double y, double r, const LineOptions& o) override;
  void Enko(double x, double y, double r, double sAng, double mang, const LineOptions& o) override;
  void Daen(double x, double y, double xr, double yr, double lang, const LineOptions& o) override;
  void Daenko(double x, double y, double xr, double yr, double sAng, double mang, double lang,
              const LineOptions& o) override;
  void Sen(double x1, double y1, double x2, double y2, const LineOptions& o) override;
  void Moji(double x, double y, const std::string& cText, std::int32_t tStyl, double cAng,
            double tAng, const TextOptions& o) override;
  void Clear() override;
  void ShowDialog() override;
  void HideDialog() override;
  void OutPutPlamor(const std::string& MGLPath) override;
  std::string OpenFileNameDlg() override;
  void put_HouiAngle(double v) override;
  double get_HouiAngle() override;
  void put_GentenX(double v) override;
  double get_GentenX() override;
  void put_GentenY(double v) override;
  double get_GentenY() override;
  void put_PlamorFlg(std::int32_t v) override;
  std::int32_t get_PlamorFlg() override;
  void MojiExtMsM(double x, double y, const std::string& cText, std::int32_t tStyl, double cAng,
                  double tAng, const TextOptions& o) override;
  void MojiExtMsG(double x, double y, const std::string& cText, std::int32_t tStyl, double cAng,
                  double tAng, const TextOptions& o) override;
  void put_DXFOnly(bool v) override;
  bool get_DXFOnly() override;
  void put_LayerName(std::int16_t Index, const std::string& v) override;
  std::string get_LayerName(std::int16_t Index) override;
  RunResult get_RunResult() override;
  void OnRunEnded(RunEndedListener listener) override;
  void AwaitRunEvent() override;

 private:
  DBusPlamor(QDBusConnection connection, QString service, QString path);
  ArgValue Call(const char* qualifiedName, std::vector<ArgValue> args);
  [[noreturn]] void ThrowLost() const;

  QDBusConnection connection_;
  QString service_;  // the unique name of the server that made the object
  QString path_;
  ObjectWatch watch_;
};

}  // namespace plamor::dbus
