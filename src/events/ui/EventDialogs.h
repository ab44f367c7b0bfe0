#pragma once
// The event dialogs: a new event ("Начать обработку нового землетрясения", and the "create" of the
// selection dialog) and the selection of an event to save into or load from.

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "events/EventStore.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace zel {

class MessageSink;
class PrivateProfile;

// An origin time as the event lists show it: day/month/year hours:minutes:seconds; empty when unknown.
QString OriginTimeText(const std::optional<double>& time);

class CNewEventDlg : public QDialog {
    Q_OBJECT
  public:
    // startsEvent: the new event becomes current (phase list cleared); otherwise only its row is made.
    CNewEventDlg(EventStore& store, MessageSink& messages, bool startsEvent, QWidget* parent = nullptr);

    // What exec() returns after "Загрузить REB": the bulletin load is to start instead.
    static constexpr int kLoadReb = 2;

    QLineEdit* idEdit() const { return id_; }
    QLineEdit* commentEdit() const { return comment_; }
    // The id of the event made, padded.
    const std::string& createdId() const { return created_; }

    // Makes the event; on a refusal the message is shown and the dialog stays open.
    void accept() override;

  private:
    EventStore& store_;
    MessageSink& messages_;
    bool startsEvent_;
    QLineEdit* id_ = nullptr;
    QLineEdit* comment_ = nullptr;
    std::string created_;
};

class CSelectPhaseGroup : public QDialog {
    Q_OBJECT
  public:
    enum Mode { kSave, kLoad };

    CSelectPhaseGroup(EventStore& store, const CurrentEvent& current, MessageSink& messages,
                      PrivateProfile* ini, Mode mode, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QCheckBox* allBox() const { return all_; }
    QSpinBox* maxBox() const { return max_; }
    QPushButton* createButton() const { return create_; }
    QPushButton* deleteButton() const { return delete_; }

    // The row chosen on OK.
    const std::optional<EventListRow>& chosen() const { return chosen_; }

    // Reads the list again with the current limits.
    void refill();
    // Asks, then deletes the selected event with its arrivals.
    void deleteSelected();
    void accept() override;
    void done(int result) override;

    // Told the orid of a deleted event that had one (its copy in the CSS database goes too).
    std::function<void(std::int64_t orid)> onDeleted;

  private:
    void createEvent();
    void select(const std::string& eventId);

    EventStore& store_;
    const CurrentEvent& current_;
    MessageSink& messages_;
    PrivateProfile* ini_;
    Mode mode_;
    std::vector<EventListRow> rows_;
    std::optional<EventListRow> chosen_;
    QTreeWidget* list_ = nullptr;
    QCheckBox* all_ = nullptr;
    QSpinBox* max_ = nullptr;
    QPushButton* create_ = nullptr;
    QPushButton* delete_ = nullptr;
};

// A list of origins of another database to choose one from (its orid).
class COriginChooser : public QDialog {
    Q_OBJECT
  public:
    COriginChooser(const QString& title, std::vector<AutomaticOrigin> origins, QWidget* parent = nullptr);
    QTreeWidget* list() const { return list_; }
    std::optional<std::int64_t> chosenOrid() const;

  private:
    std::vector<AutomaticOrigin> origins_;
    QTreeWidget* list_ = nullptr;
};

// Data source name, user and password of the automatic location system's database.
class CAutomaticSourceDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAutomaticSourceDlg(QWidget* parent = nullptr);
    QLineEdit* dsnEdit() const { return dsn_; }
    QLineEdit* userEdit() const { return user_; }
    QLineEdit* passwordEdit() const { return password_; }

  private:
    QLineEdit* dsn_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLineEdit* password_ = nullptr;
};

}  // namespace zel
