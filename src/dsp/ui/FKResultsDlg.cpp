#include "dsp/ui/FKResultsDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "base/ZelError.h"
#include "dsp/FkModuleSettings.h"
#include "dsp/ui/FkMapPainter.h"
#include "dsp/ui/FkModuleRunner.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "session/AppContext.h"

namespace zel {
namespace {

constexpr QSize kMapSize(400, 400);
constexpr QSize kScaleSize(96, 400);

// A control that shows a picture drawn elsewhere; it copies the picture when painted.
class ImageView : public QWidget {
  public:
    ImageView(const QImage& image, QSize size) : image_(image) { setFixedSize(size); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, image_);
    }

  private:
    const QImage& image_;
};

// Long work blocks the dialog: the analyst sees the wait cursor meanwhile.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString Fixed(const char* format, double value) { return QString::asprintf(format, value); }

}  // namespace

CFKResultsDlg::CFKResultsDlg(AppContext& context, FkDialogInput input, const PhaseCatalogue& catalogue,
                             ZELPhases& phases, QWidget* parent)
    : QDialog(parent), context_(context), input_(std::move(input)), catalogue_(catalogue), phases_(phases) {
    setWindowTitle(qtTrId("F-K Анализ"));
    const FkGrid& grid = context_.session().fkGrid();
    map_ = DrawFkMap({}, grid, kMapSize);
    scale_ = DrawFkScale(0.0, 1.0, kScaleSize);
    mapView_ = new ImageView(map_, kMapSize);
    scaleView_ = new ImageView(scale_, kScaleSize);

    auto* gridBox = new QGroupBox(qtTrId("Сетка медленности"));
    auto* gridForm = new QFormLayout(gridBox);
    gridForm->addRow(qtTrId("Минимум Px и  Py (сек/км)"), min_ = new QLineEdit(QString::number(grid.min)));
    gridForm->addRow(qtTrId("Максимум Px и  Py (сек/км)"), max_ = new QLineEdit(QString::number(grid.max)));
    gridForm->addRow(qtTrId("Количество интервалов "),
                     intervals_ = new QLineEdit(QString::number(grid.intervals)));
    auto* calculate = new QPushButton(qtTrId("Рассчитать"));
    auto* external = new QPushButton(qtTrId("Рассч. с пом. ВП"));

    auto* resultBox = new QGroupBox(qtTrId("Результат"));
    auto* resultForm = new QFormLayout(resultBox);
    resultForm->addRow(qtTrId("Азимут(град.)"), azimuth_ = new QLineEdit);
    resultForm->addRow(qtTrId("Медленность(сек./км.)"), slowness_ = new QLineEdit);
    resultForm->addRow(qtTrId("Расстояние (град)"), distance_ = new QLineEdit);
    distance_->setReadOnly(true);
    phase_ = new QComboBox;
    choices_ = FkPhaseChoices(phases_, catalogue_, input_.station, input_.slot);
    for (const FkPhaseChoice& c : choices_) phase_->addItem(QString::fromStdString(c.name));
    if (!choices_.empty()) phase_->setCurrentIndex(0);
    auto* beam = new QPushButton(qtTrId("Построить луч"));
    auto* ok = new QPushButton("OK");
    auto* quit = new QPushButton(qtTrId("Выйти"));
    ok->setDefault(true);

    auto* computeRow = new QHBoxLayout;
    computeRow->addWidget(calculate);
    computeRow->addWidget(external);
    auto* closeRow = new QHBoxLayout;
    closeRow->addWidget(beam);
    closeRow->addStretch();
    closeRow->addWidget(ok);
    closeRow->addWidget(quit);
    auto* side = new QVBoxLayout;
    side->addWidget(gridBox);
    side->addLayout(computeRow);
    side->addWidget(resultBox);
    side->addWidget(new QLabel(qtTrId("Ассоциировать результаты расчета с фазой")));
    side->addWidget(phase_);
    side->addStretch();
    side->addLayout(closeRow);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(mapView_);
    layout->addWidget(scaleView_);
    layout->addLayout(side);

    connect(calculate, &QPushButton::clicked, this, &CFKResultsDlg::calculate);
    connect(external, &QPushButton::clicked, this, &CFKResultsDlg::calculateExternal);
    connect(beam, &QPushButton::clicked, this, &CFKResultsDlg::buildBeam);
    connect(ok, &QPushButton::clicked, this, &CFKResultsDlg::accept);
    connect(quit, &QPushButton::clicked, this, &CFKResultsDlg::reject);
    connect(phase_, &QComboBox::currentIndexChanged, this, &CFKResultsDlg::updateDistance);
    connect(slowness_, &QLineEdit::editingFinished, this, &CFKResultsDlg::updateDistance);
}

void CFKResultsDlg::refuse(const std::string& text) {
    context_.messages().show(
        {text, qtTrId("F-K Анализ").toStdString(), MessageIcon::Error, MessageButtons::Ok});
}

bool CFKResultsDlg::takeGrid() {
    const FkGridInput in = ParseFkGrid(min_->text().toStdString(), max_->text().toStdString(),
                                       intervals_->text().toStdString());
    if (in.problem) {
        QLineEdit* field = in.problem->field == FkGridField::Min   ? min_
                           : in.problem->field == FkGridField::Max ? max_
                                                                   : intervals_;
        context_.messages().show(
            {in.problem->text, qtTrId("F-K Анализ").toStdString(), MessageIcon::Warning, MessageButtons::Ok});
        field->setFocus();
        field->selectAll();
        return false;
    }
    context_.session().fkGrid() = *in.grid;
    return true;
}

void CFKResultsDlg::calculate() {
    if (!takeGrid()) return;
    const FkGrid grid = context_.session().fkGrid();
    std::vector<FkChannel> channels;
    for (const FkExchangeChannel& c : input_.channels) channels.push_back(c.data);
    FkResult result;
    {
        WaitCursor wait;
        result = FkGridSearch(channels, input_.referenceSps, grid);
    }
    if (result.Empty()) {
        refuse(qtTrId("Расчет невозможен: отмеченный интервал пуст").toStdString());
        return;
    }
    showResult(result.azimuth, result.slowness);
    map_ = DrawFkMap(result, grid, kMapSize);
    scale_ = DrawFkScale(result.minPower, result.maxPower, kScaleSize);
    mapView_->update();
    scaleView_->update();
}

void CFKResultsDlg::calculateExternal() {
    if (!takeGrid()) return;
    const FkModuleSettings settings =
        LoadFkModuleSettings(context_.ini(), context_.paths().executableDir, context_.settings().workingDir);
    try {
        WaitCursor wait;
        const FkExchangeFiles files = WriteFkExchange(settings.exchangeDir, input_.channels);
        const FkModuleResult r = RunFkModule(settings.module, files, moduleTimeoutMs);
        showResult(r.azimuth, r.slowness);
    } catch (const ZelError& e) {
        refuse(e.what());
    }
}

void CFKResultsDlg::showResult(double azimuth, double slowness) {
    azimuth_->setText(Fixed("%.1f", azimuth));
    slowness_->setText(Fixed("%.4f", slowness));
    updateDistance();
}

void CFKResultsDlg::updateDistance() {
    const int i = phase_->currentIndex();
    const auto typed = ParseFkResultFields(azimuth_->text().toStdString(), slowness_->text().toStdString());
    std::optional<double> d;
    if (i >= 0 && typed) d = FkDistanceEstimate(catalogue_, choices_[static_cast<std::size_t>(i)].name, typed->slowness);
    distance_->setText(d ? Fixed("%.1f", *d) : QString());
}

void CFKResultsDlg::buildBeam() {
    const auto typed = ParseFkResultFields(azimuth_->text().toStdString(), slowness_->text().toStdString());
    if (!typed || !formBeam) {
        QApplication::beep();
        return;
    }
    formBeam(*typed);
}

void CFKResultsDlg::accept() {
    const int i = phase_->currentIndex();
    if (i < 0) {
        QApplication::beep();
        phase_->setFocus();
        return;
    }
    const FkPhaseChoice& choice = choices_[static_cast<std::size_t>(i)];
    if (phases_.Find(input_.station, input_.slot, choice.phaseIndex) == nullptr) {
        QApplication::beep();
        const QString text = qtTrId(
                                 "Отметка фазы '%1' отсутствует.\n Ассоциация не может быть выполнена.\n"
                                 "Результат расчета не будет запомнен")
                                 .arg(QString::fromStdString(choice.name));
        context_.messages().show({text.toStdString(), qtTrId("F-K Анализ").toStdString(),
                                  MessageIcon::Warning, MessageButtons::Ok});
        return;
    }
    const auto typed = ParseFkResultFields(azimuth_->text().toStdString(), slowness_->text().toStdString());
    if (!typed) {
        QApplication::beep();
        return;
    }
    AssociateFkResult(phases_, input_.station, input_.slot, choice.phaseIndex, *typed);
    QDialog::accept();
}

}  // namespace zel
