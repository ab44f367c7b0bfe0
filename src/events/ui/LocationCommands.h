#pragma once
// The location commands of the frame: "Оценка положения гипоцентра" (steepest descent),
// "*Новая эпицентрия" (least squares with the error ellipse), the external locator and the
// recomputation of residuals and distances for the current epicentre.

#include <QObject>
#include <optional>

#include "events/Locator.h"
#include "events/ui/LocationDialogs.h"

namespace zel {

class AppContext;
class Workbench;
class CPhasesWnd;
class EventStore;

class LocationCommands : public QObject {
    Q_OBJECT
  public:
    LocationCommands(QWidget* parent, AppContext& context, EventStore& store, CPhasesWnd* window);

    // The whole command: start dialog, location, result dialog.
    void locate(bool svd);
    // The entered point becomes the current hypocentre, then the location runs; the messages of a
    // failure are shown and nullopt returned. The observations (with residuals) stay in lastRun().
    std::optional<LocationResult> locateFrom(const LocationStart& start, bool svd);
    const std::vector<Observation>& lastObservations() const { return observations_; }
    // The result dialog for a solution; OK applies it.
    void showResult(const LocationResult& result);
    // OK of the result dialog: the current hypocentre, the picks' residuals and distances, the
    // event comment; after a location also the outlier rule's marks of its observations.
    void apply(const HypocentreValues& values, const std::vector<Observation>* located = nullptr,
               const ErrorEllipse& ellipse = {});
    // "Запомнить в БД" from the result dialog: the chosen event's ORIGIN row takes these values.
    void store(const HypocentreValues& values);
    // "Параметры гипоцентра" of the phase list: the current hypocentre in the result dialog, with
    // the residuals the picks hold.
    void editHypocentre();
    // "Перерассчитать невязки и расстояние для текущего эпицентра".
    void recompute();
    // "Запустить внешнюю программу эпицентрии (LOQ)".
    void runLoq();
    // The files and the run behind the dialog's "Запустить"; the folder goes to ZEL.ini first.
    void runLoqIn(const QString& folder, int number, const std::function<void(const QString&)>& output);

    // The folder of the locator as ZEL.ini gives it (or the default).
    QString loqFolder() const;
    int loqTimeoutMs = 60000;

  private:
    void listChanged();
    void showDialog(const HypocentreValues& values, const QStringList& residuals, const ErrorEllipse& ellipse,
                    const std::vector<Observation>* located);

    QWidget* parent_;
    AppContext& context_;
    EventStore& store_;
    CPhasesWnd* window_;
    std::vector<Observation> observations_;
};

// Creates the commands (owned by the frame) and wires their frame actions.
LocationCommands* InstallLocationCommands(Workbench& frame, AppContext& context, EventStore& store,
                                          CPhasesWnd* window);

}  // namespace zel
