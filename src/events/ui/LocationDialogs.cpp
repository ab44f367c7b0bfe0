#include "events/ui/LocationDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

#include "base/TimeConversions.h"

namespace zel {
namespace {

std::optional<double> NumberOf(const QLineEdit* edit) {
    bool ok = false;
    const double value = edit->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

void Refuse(QLineEdit* edit) {
    QApplication::beep();
    edit->setFocus();
    edit->selectAll();
}

QLineEdit* ReadOnly(const QString& text) {
    auto* edit = new QLineEdit(text);
    edit->setReadOnly(true);
    return edit;
}

QString Ellipse(double value) { return value < 0 ? QStringLiteral("-1") : QString::asprintf("%.2f", value); }

}  // namespace

CLocationStartDlg::CLocationStartDlg(double lat, double lon, double depth, double originTime, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(qtTrId("Введите стартовую точку для расчета"));
    lat_ = new QLineEdit(QString::asprintf("%.4f", lat));
    lon_ = new QLineEdit(QString::asprintf("%.4f", lon));
    depth_ = new QLineEdit(QString::asprintf("%.1f", depth));
    time_ = new QLineEdit(QString::fromStdString(FormatUiTime(originTime, UiTimeForm::DateTimeMs)));
    grid_ = new QCheckBox(qtTrId("Оценка стартовой точки методом полного перебора"));
    fixedDepth_ = new QCheckBox(qtTrId("Фиксация глубины"));
    fixedCoordinates_ = new QCheckBox(qtTrId("Фиксация координат (оценка невязок)"));
    auto* form = new QFormLayout;
    form->addRow(qtTrId("Широта"), lat_);
    form->addRow(qtTrId("Долгота"), lon_);
    form->addRow(qtTrId("Глубина(км.)"), depth_);
    form->addRow(qtTrId("Время в очаге"), time_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(grid_);
    layout->addWidget(fixedDepth_);
    layout->addWidget(fixedCoordinates_);
    layout->addWidget(buttons);
}

CLocationStartDlg::CLocationStartDlg(const LocationStart& preset, QWidget* parent)
    : CLocationStartDlg(preset.lat, preset.lon, preset.depth, preset.originTime, parent) {
    grid_->setChecked(preset.gridSearch);
}

void CLocationStartDlg::accept() {
    for (QLineEdit* edit : {lat_, lon_, depth_})
        if (!NumberOf(edit)) return Refuse(edit);
    if (*NumberOf(depth_) < 0) return Refuse(depth_);
    const std::optional<double> time = ParseUiDateTime(time_->text().trimmed().toStdString());
    if (!time) return Refuse(time_);
    start_.lat = *NumberOf(lat_);
    start_.lon = *NumberOf(lon_);
    start_.depth = *NumberOf(depth_);
    start_.originTime = *time;
    start_.gridSearch = grid_->isChecked();
    start_.fixedDepth = fixedDepth_->isChecked();
    start_.fixedCoordinates = fixedCoordinates_->isChecked();
    QDialog::accept();
}

QString FormatHypocentreTime(double epoch) {
    const std::optional<CalendarTime> c = EpochToCalendar(epoch);
    if (!c) return {};
    return QString::asprintf("%d/%d/%d - %d:%d:%.2f", c->day, c->month, c->year, c->hour, c->minute, c->second);
}

std::optional<double> ParseHypocentreTime(const QString& text) {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, used = 0;
    double second = 0.0;
    const QByteArray bytes = text.trimmed().toUtf8();
    if (std::sscanf(bytes.constData(), "%d/%d/%d - %d:%d:%lf%n", &day, &month, &year, &hour, &minute, &second,
                    &used) != 6 ||
        used != bytes.size())
        return std::nullopt;
    if (!IsValidDate(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second >= 61)
        return std::nullopt;
    return CalendarToEpoch(year, month, day, hour, minute, second);
}

CHypocentreDlg::CHypocentreDlg(const HypocentreValues& values, const QStringList& residuals,
                               const ErrorEllipse& ellipse, const std::optional<RegionInfo>& region,
                               QWidget* parent)
    : QDialog(parent), values_(values) {
    setWindowTitle(qtTrId("Параметры гипоцентра"));
    lat_ = new QLineEdit(QString::asprintf("%.4f", values.lat));
    lon_ = new QLineEdit(QString::asprintf("%.4f", values.lon));
    depth_ = new QLineEdit(QString::asprintf("%.4f", values.depth));
    time_ = new QLineEdit(FormatHypocentreTime(values.originTime));
    comment_ = new QLineEdit(QString::fromStdString(values.comment));
    residuals_ = new QListWidget;
    residuals_->addItems(residuals);
    major_ = ReadOnly(Ellipse(ellipse.major));
    minor_ = ReadOnly(Ellipse(ellipse.minor));
    direction_ = ReadOnly(Ellipse(ellipse.direction));
    seismic_ = ReadOnly(region ? QString::fromStdString(region->seismicNameRu) : QString());
    geographic_ = ReadOnly(region ? QString::fromStdString(region->geographicNameRu) : QString());
    auto* seismicNumber = ReadOnly(region ? QString::fromStdString(region->seismicNumber) : QString());
    auto* geographicNumber = ReadOnly(region ? QString::number(region->geographicNumber) : QString());
    for (QLineEdit* number : {seismicNumber, geographicNumber}) number->setMaximumWidth(60);
    copySeismic_ = new QPushButton(qtTrId("Копировать"));
    copyGeographic_ = new QPushButton(qtTrId("Копировать"));
    store_ = new QPushButton(qtTrId("Запомнить в БД"));

    auto* form = new QFormLayout;
    form->addRow(qtTrId("Широта"), lat_);
    form->addRow(qtTrId("Долгота"), lon_);
    form->addRow(qtTrId("Глубина(км.)"), depth_);
    form->addRow(qtTrId("Время в очаге"), time_);
    auto* ellipseBox = new QGroupBox(qtTrId("Эллипс ошибок"));
    auto* ellipseForm = new QFormLayout(ellipseBox);
    ellipseForm->addRow(qtTrId("Большая ось(км)"), major_);
    ellipseForm->addRow(qtTrId("Меньшая ось(км)"), minor_);
    ellipseForm->addRow(qtTrId("Направление большей оси (град.)"), direction_);
    auto* regions = new QGridLayout;
    regions->addWidget(new QLabel(qtTrId("Сейсм. регион")), 0, 0);
    regions->addWidget(seismicNumber, 0, 1);
    regions->addWidget(seismic_, 0, 2);
    regions->addWidget(copySeismic_, 0, 3);
    regions->addWidget(new QLabel(qtTrId("Геогр.  регион")), 1, 0);
    regions->addWidget(geographicNumber, 1, 1);
    regions->addWidget(geographic_, 1, 2);
    regions->addWidget(copyGeographic_, 1, 3);
    regions->setColumnStretch(2, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(store_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(copySeismic_, &QPushButton::clicked, this, [this] { comment_->setText(seismic_->text()); });
    connect(copyGeographic_, &QPushButton::clicked, this, [this] { comment_->setText(geographic_->text()); });
    connect(store_, &QPushButton::clicked, this, [this] {
        if (readFields() && onStore) onStore(values_);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(qtTrId("Невязки")));
    layout->addWidget(residuals_);
    layout->addWidget(ellipseBox);
    auto* commentRow = new QFormLayout;
    commentRow->addRow(qtTrId("Комментарий"), comment_);
    layout->addLayout(commentRow);
    layout->addLayout(regions);
    layout->addWidget(buttons);
    resize(560, 560);
}

bool CHypocentreDlg::readFields() {
    const std::optional<double> lat = NumberOf(lat_), lon = NumberOf(lon_), depth = NumberOf(depth_);
    if (!lat || *lat < -90 || *lat > 90) return Refuse(lat_), false;
    if (!lon || *lon < -180 || *lon > 180) return Refuse(lon_), false;
    if (!depth) return Refuse(depth_), false;
    const std::optional<double> time = ParseHypocentreTime(time_->text());
    if (!time) return Refuse(time_), false;
    values_ = {*lat, *lon, *depth, *time, comment_->text().toStdString()};
    return true;
}

void CHypocentreDlg::accept() {
    if (readFields()) QDialog::accept();
}

CLoqDlg::CLoqDlg(const QString& folder, int number, Runner runner, QWidget* parent)
    : QDialog(parent), runner_(std::move(runner)) {
    setWindowTitle(qtTrId("Запуск LOQ"));
    folder_ = new QLineEdit(folder);
    auto* browse = new QPushButton("...");
    number_ = new QSpinBox;
    number_->setRange(0, 99999999);
    number_->setValue(number < 0 ? 0 : number);
    run_ = new QPushButton(qtTrId("Запустить"));
    output_ = new QPlainTextEdit;
    output_->setReadOnly(true);
    output_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    output_->setFont(fixed);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(qtTrId("Каталог LOQ"), folderRow);
    form->addRow(qtTrId("Номер землетрясения"), number_);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, qtTrId("Каталог LOQ"), folder_->text());
        if (!dir.isEmpty()) folder_->setText(dir);
    });
    connect(run_, &QPushButton::clicked, this, &CLoqDlg::run);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(run_);
    layout->addWidget(output_, 1);
    layout->addWidget(close);
    resize(720, 480);
}

void CLoqDlg::run() {
    if (!runner_) return;
    output_->clear();
    run_->setEnabled(false);  // the output of one run at a time
    runner_(folder_->text(), number_->value(), [this](const QString& text) {
        output_->moveCursor(QTextCursor::End);
        output_->insertPlainText(text);
        output_->ensureCursorVisible();
    });
    run_->setEnabled(true);
}

}  // namespace zel
