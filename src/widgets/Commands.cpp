#include "widgets/Commands.h"

#include <QString>
#include <cctype>
#include <unordered_map>

namespace zel::cmd {
namespace {

// The menu texts are the string table of the program, in Russian: each is its own translation id,
// shown through CommandText, while layouts and keys name the commands by their numbers.
constexpr Command kCommands[] = {
    {kFont, QT_TRID_NOOP("Шрифт"), "", ""},
    {kAddChannels, QT_TRID_NOOP("Добавить каналы для визуализации и обработки"), "add-channels", "Ctrl+O"},
    {kShowWaveforms, QT_TRID_NOOP("Волновые формы"), "waveforms", "F5"},
    {kShowPhaseList, QT_TRID_NOOP("Список всех фаз"), "phase-list", "F6"},
    {kShowDsp, QT_TRID_NOOP("ПОС"), "dsp", "F8"},
    {kShowMap, QT_TRID_NOOP("Карта"), "map", "F7"},
    {kCascade, QT_TRID_NOOP("Каскад"), "cascade", ""},
    {kTileHorizontally, QT_TRID_NOOP("Горизонтальная мозаика"), "tile-horizontally", ""},
    {kTileVertically, QT_TRID_NOOP("Вертикальная мозаика"), "tile-vertically", ""},
    {kShowParticleMotion, QT_TRID_NOOP("Показать движ. частиц"), "", ""},
    {kSettings, QT_TRID_NOOP("Рабочие параметры..."), "", ""},
    {kEditNetworks, QT_TRID_NOOP("Редактировать список сетей"), "", ""},
    {kReconnect, QT_TRID_NOOP("Переподключиться к БД"), "", ""},
    {kEditDirsMap, QT_TRID_NOOP("Редактировать список отображений каталогов"), "", ""},
    {kShowOrigins, QT_TRID_NOOP("Показать окно списка обработанных событий"), "", ""},
    {kEditControlledRegions, QT_TRID_NOOP("Редактировать список контролируемых регионов"), "", ""},
    {kClearPhaseList, QT_TRID_NOOP("Очистить список фаз"), "clear", ""},
    {kExit, QT_TRID_NOOP("Выход"), "", "Ctrl+Q"},
    {kAbout, QT_TRID_NOOP("О программе"), "", ""},
    {kZelVersion, QT_TRID_NOOP("Версия ZEL"), "about", ""},
    {kGroupCombo, "", "", ""},
    {kGroupSelected, "", "", ""},
    {kCustomizeToolbar, QT_TRID_NOOP("Настроить панель инструментов"), "", ""},
    {kMapZoomIn, QT_TRID_NOOP("Увеличить"), "zoom-in", ""},
    {kMapZoomOut, QT_TRID_NOOP("Уменьшить"), "zoom-out", ""},
    {kMapShiftEast, QT_TRID_NOOP("вправо"), "shift-later", ""},
    {kMapShiftWest, QT_TRID_NOOP("влево"), "shift-earlier", ""},
    {kMapShiftNorth, QT_TRID_NOOP("вверх"), "shift-up", ""},
    {kMapShiftSouth, QT_TRID_NOOP("вниз"), "shift-down", ""},
    {kMapReset, QT_TRID_NOOP("Восстановить исходное значение масштаба"), "zoom-reset", ""},
    {kMapFitNetwork, QT_TRID_NOOP("Показать сеть станций"), "fit-network", ""},
    {kMapFitEvent, QT_TRID_NOOP("Показать событие и его станции"), "fit-event", ""},
    {kMapRelief, QT_TRID_NOOP("Рисовать уровни высот и глубин"), "relief", ""},
    {kMapCoastlines, QT_TRID_NOOP("Рисовать береговую линию"), "coastlines", ""},
    {kMapSimple, QT_TRID_NOOP("Рисовать простую карту"), "simple-map", ""},
    {kMapAzimuths, QT_TRID_NOOP("Рисовать азимут"), "azimuths", ""},
    {kMapMarkEpicentre, QT_TRID_NOOP("Отметить стартовую для расчета эпицентра"), "", ""},
    {kMapHypocentreParameters, QT_TRID_NOOP("Параметры гипоцентра"), "", ""},
    {kRebuildPanes, QT_TRID_NOOP("(*)Перерисовать"), "", ""},
    {kRedrawPanes, QT_TRID_NOOP("Перерисовать"), "", ""},
    {kDrawWaveforms, QT_TRID_NOOP("Рисовать волновые формы"), "", ""},
    {kFitAllPanes, QT_TRID_NOOP("Во все окно"), "", "F"},
    {kAcquisitionMarks, QT_TRID_NOOP("Выводить отметки системы сбора данных"), "", ""},
    {kDatabasePhases, QT_TRID_NOOP("Отображать отметки фаз из БД"), "", ""},
    {kCommonCursor, QT_TRID_NOOP("Рисовать общий вертикальный курсор"), "", ""},
    {kCentrePanes, QT_TRID_NOOP("Отцентрировать график волновых форм"), "", ""},
    {kAlignTime, QT_TRID_NOOP("Выровнять масштаб по времени"), "", ""},
    {kShiftEarlier, QT_TRID_NOOP("Сдвинуть график влево..."), "shift-earlier", "Left"},
    {kShiftLater, QT_TRID_NOOP("Сдвинуть график вправо"), "shift-later", "Right"},
    {kShiftUp, QT_TRID_NOOP("Сдвинуть график вверх..."), "shift-up", "Up"},
    {kShiftDown, QT_TRID_NOOP("Сдвинуть график вниз..."), "shift-down", "Down"},
    {kReturn, QT_TRID_NOOP("Вернуться"), "return", "Backspace"},
    {kCompressTime, QT_TRID_NOOP("Сжать по горизонтали"), "compress-time", ""},
    {kCompressAmplitude, QT_TRID_NOOP("Сжать по вертикали"), "compress-amplitude", ""},
    {kStretchTime, QT_TRID_NOOP("Растянуть по горизонтали"), "stretch-time", ""},
    {kStretchAmplitude, QT_TRID_NOOP("Растянуть по вертикали"), "stretch-amplitude", ""},
    {kStretchTimePane, QT_TRID_NOOP("Горизонтали"), "", "+"},
    {kStretchAmplitudePane, QT_TRID_NOOP("Вертикали"), "", "*"},
    {kCompressTimePane, QT_TRID_NOOP("Горизонтали"), "", "-"},
    {kCompressAmplitudePane, QT_TRID_NOOP("Вертикали"), "", "/"},
    {kCentre, QT_TRID_NOOP("Отцентрировать"), "centre", "Home"},
    {kAlignAmplitude, QT_TRID_NOOP("Выровнять масштаб по амплитуде"), "", ""},
    {kOneScale, QT_TRID_NOOP("Привести исходный и преобразованный сигнал к одному масштабу"), "", ""},
    {kNewPane, QT_TRID_NOOP("Создать новое окно"), "", ""},
    {kChooseStationChannel, QT_TRID_NOOP("Выбрать станцию и канал..."), "", ""},
    {kChooseStationChannelPane, QT_TRID_NOOP("(*)Выбрать станцию и канал..."), "", ""},
    {kDeleteActivePanes, QT_TRID_NOOP("Удалить активные окна"), "", ""},
    {kSaveChannelList, QT_TRID_NOOP("Сохранить список каналов"), "", ""},
    {kLoadChannelList, QT_TRID_NOOP("Загрузить список каналов"), "", ""},
    {kSortPanes, QT_TRID_NOOP("Сортировать..."), "sort", ""},
    {kSortByStationIndex, QT_TRID_NOOP("по номеру в БД"), "", ""},
    {kSortByPickTime, QT_TRID_NOOP("по времени прихода фаз"), "", ""},
    {kSortByName, QT_TRID_NOOP("по алфавиту"), "", ""},
    {kSortByActivation, QT_TRID_NOOP("по номеру на экране"), "", ""},
    {kSortByDistance, QT_TRID_NOOP("по расстоянию от эпицентра"), "", ""},
    {kSortByAmplitude, QT_TRID_NOOP("по амплитуде "), "", ""},
    {kSortByMb, QT_TRID_NOOP("по магнитуде Mb"), "", ""},
    {kCleanDiskLoop, QT_TRID_NOOP("Удаление файлов из дисковой петли..."), "", ""},
    {kExportCss, QT_TRID_NOOP("Сохранить данные в формате CSS 3.0 ..."), "", ""},
    {kImportCss, QT_TRID_NOOP("Загрузить данные в формате CSS 3.0..."), "", ""},
    {kPickMode, QT_TRID_NOOP("Отметить фазу"), "pick", "Space"},
    {kDeleteMarks, QT_TRID_NOOP("Удалить интервальные отметки"), "", ""},
    {kAlignMarks, QT_TRID_NOOP("Выровнять отметки"), "", ""},
    {kExcludePhasesInMark, QT_TRID_NOOP("(*)Исключить фазы из расчета"), "", ""},
    {kIncludePhasesInMark, QT_TRID_NOOP("(*)Включить фазы в расчет в интервале"), "", ""},
    {kFilter, QT_TRID_NOOP("Фильтр"), "filter", "Ctrl+F"},
    {kFilterDesigner, QT_TRID_NOOP("Конструктор фильтра"), "", ""},
    {kRemoveFilter, QT_TRID_NOOP("Убрать фильтр"), "", "Ctrl+Shift+F"},
    {kFormula, QT_TRID_NOOP("Формула"), "formula", "Ctrl+E"},
    {kSimulateDisplacement, QT_TRID_NOOP("Симуляция смещения"), "", ""},
    {kSimulateWwssp, QT_TRID_NOOP("Симуляция WWSSSP"), "", ""},
    {kSimulateKirnos, QT_TRID_NOOP("Симуляция KIRNOS"), "", ""},
    {kSimulateWoodAnderson, QT_TRID_NOOP("Симуляция Wood-Anderson"), "", "Ctrl+Shift+W"},
    {kSimulateLpsro, QT_TRID_NOOP("Симуляция LPSRO"), "", ""},
    {kSimulateWwsslp, QT_TRID_NOOP("Симуляция WWSSLP"), "", ""},
    {kSimulateSkm, QT_TRID_NOOP("Симуляция СКМ"), "", ""},
    {kDisplacementByResponse, QT_TRID_NOOP("К смещению по АЧХ"), "", ""},
    {kSimulateWwsspByResponse, QT_TRID_NOOP("Симуляция WWSSSP с использованием АЧХ"), "", ""},
    {kSimulateWwsslpByResponse, QT_TRID_NOOP("Симуляция WWSSLP с использованием АЧХ"), "", ""},
    {kSimulateLpsroByResponse, QT_TRID_NOOP("Симуляция LPSRO с использованием АЧХ"), "", ""},
    {kSimulateKirnosByResponse, QT_TRID_NOOP("Симуляция KIRNOS с использованием АЧХ"), "", ""},
    {kSimulateWoodAndersonByResponse, QT_TRID_NOOP("Симуляция Wood-Anderson с использованием АЧХ"), "", ""},
    {kSimulateVegikByResponse, QT_TRID_NOOP("Симуляция ВЭГИК с использованием АЧХ"), "", ""},
    {kRunDetector, QT_TRID_NOOP("Запустить детектор STA\\LTA"), "detector", "Ctrl+T"},
    {kClearDetections, QT_TRID_NOOP("Очистить список срабатываний"), "", ""},
    {kDetectorSettings, QT_TRID_NOOP("Установки..."), "", ""},
    {kThreeComponentAzimuth, QT_TRID_NOOP("Азимут по 3-м компонентам"), "", ""},
    {kPolarizationAzimuth, QT_TRID_NOOP("Азимут колебаний..."), "", ""},
    {kRectilinearity, QT_TRID_NOOP("Прямолинейность колебаний..."), "", ""},
    {kPlanarity, QT_TRID_NOOP("Планарность колебаний..."), "", ""},
    {kFkAnalysis, QT_TRID_NOOP("F-K анализ"), "", ""},
    {kAmplitudePeriod, QT_TRID_NOOP("Расчет периода(с) и амплитуды(мкм.)"), "amplitude", "Ctrl+M"},
    {kMeasureByCalib, QT_TRID_NOOP("по Calib и Calper"), "", ""},
    {kMeasureByFile, QT_TRID_NOOP("по АЧХ (FAP-файлы в каталоге Response)"), "", ""},
    {kMeasureByDatabase, QT_TRID_NOOP("По АЧХ из БД (нули/полюса или FAP)"), "", ""},
    {kNormaliseAmplitude, QT_TRID_NOOP("Нормализовать амплитуду"), "", ""},
    {kCoda, QT_TRID_NOOP("Кода"), "", ""},
    {kNomogramClass, QT_TRID_NOOP("Рассчитать класс по номограмме Раутиан"), "", ""},
    {kVegikClass, QT_TRID_NOOP("Рассчитать энергетический класс \"Раутиан по ВЭГИК\""), "", ""},
    {kSkmClass, QT_TRID_NOOP("Рассчитать энергетический класс \"Раутиан по CKM\""), "", ""},
    {kAzimuthFromPOnsets, QT_TRID_NOOP("Азимут по временам P-вступлений"), "", ""},
    {kPhasePlacement, QT_TRID_NOOP("Автоматическая расстановка фаз..."), "", ""},
    {kDistanceEstimate, QT_TRID_NOOP("Оценка расстояния до эпицентра..."), "distance", "Ctrl+D"},
    {kTravelTimeCalculator, QT_TRID_NOOP("Годограф ..."), "", ""},
    {kDistanceAzimuth, QT_TRID_NOOP("Азимут и дистанция по заданным координатам..."), "", ""},
    {kLocateHypocentre, QT_TRID_NOOP("Оценка положения гипоцентра"), "hypocentre", "Ctrl+L"},
    {kLocateSvd, QT_TRID_NOOP("*Новая эпицентрия"), "", ""},
    {kRunLoq, QT_TRID_NOOP("Запустить внешнюю программу эпицентрии (LOQ)"), "", ""},
    {kDeletePhase, QT_TRID_NOOP("Удалить выделенную фазу из списка"), "", ""},
    {kInsertPhase, QT_TRID_NOOP("Вставить  фазу"), "", ""},
    {kRecomputeResiduals, QT_TRID_NOOP("Перерассчитать невязки и расстояние для текущего эпицентра"), "", ""},
    {kSavePhaseListDb, QT_TRID_NOOP("Сохранить список фаз в БД"), "save-db", "Ctrl+S"},
    {kLoadPhaseListDb, QT_TRID_NOOP("Загрузить список фаз из БД"), "load-db", "Ctrl+Shift+O"},
    {kNewEvent, QT_TRID_NOOP("Начать обработку нового землетрясения"), "new-event", "Ctrl+N"},
    {kLoadAutomatic, QT_TRID_NOOP("Загрузить данные автоматической локации"), "", ""},
    {kEventReport, QT_TRID_NOOP("Генерация отчета о землетрясениях"), "", "Ctrl+R"},
    {kWriteCssTables,
     QT_TRID_NOOP("Сохранить результаты обработки в файлы в формате CSS( .origin, .arrival, .assoc )"), "",
     ""},
    {kWriteStoredCssTables,
     QT_TRID_NOOP("Сохранить результаты обработки из БД в файлы в формате CSS( .origin, .arrival, .assoc )"),
     "", ""},
    {kLoadImsBulletin, QT_TRID_NOOP("Загрузить список фаз в формате IMS"), "", ""},
    {kConnectArchive, QT_TRID_NOOP("Подключить архив MiniSEED..."), "", ""},
    {kImportStationXml, QT_TRID_NOOP("Загрузить станции из StationXML..."), "", ""},
    {kWriteQuakeMl, QT_TRID_NOOP("Сохранить событие в формате QuakeML..."), "", ""},
    {kLoadQuakeMl, QT_TRID_NOOP("Загрузить событие в формате QuakeML..."), "", ""},
    {kUndoPicks, QT_TRID_NOOP("Отменить изменение списка фаз"), "undo", "Ctrl+Z"},
    {kRedoPicks, QT_TRID_NOOP("Вернуть изменение списка фаз"), "redo", "Ctrl+Shift+Z"},
    {kPageEarlier, QT_TRID_NOOP("Предыдущая страница"), "page-earlier", "PgUp"},
    {kPageLater, QT_TRID_NOOP("Следующая страница"), "page-later", "PgDown"},
    {kKeyPickP, QT_TRID_NOOP("Фаза P под указателем"), "", "P"},
    {kKeyPickS, QT_TRID_NOOP("Фаза S под указателем"), "", "S"},
    {static_cast<Id>(kKeyPickSet1 + 0), QT_TRID_NOOP("1-я фаза набора под указателем"), "", "1"},
    {static_cast<Id>(kKeyPickSet1 + 1), QT_TRID_NOOP("2-я фаза набора под указателем"), "", "2"},
    {static_cast<Id>(kKeyPickSet1 + 2), QT_TRID_NOOP("3-я фаза набора под указателем"), "", "3"},
    {static_cast<Id>(kKeyPickSet1 + 3), QT_TRID_NOOP("4-я фаза набора под указателем"), "", "4"},
    {static_cast<Id>(kKeyPickSet1 + 4), QT_TRID_NOOP("5-я фаза набора под указателем"), "", "5"},
    {static_cast<Id>(kKeyPickSet1 + 5), QT_TRID_NOOP("6-я фаза набора под указателем"), "", "6"},
    {static_cast<Id>(kKeyPickSet1 + 6), QT_TRID_NOOP("7-я фаза набора под указателем"), "", "7"},
    {static_cast<Id>(kKeyPickSet1 + 7), QT_TRID_NOOP("8-я фаза набора под указателем"), "", "8"},
    {kKeyPickSet9, QT_TRID_NOOP("9-я фаза набора под указателем"), "", "9"},
    {kDeleteNearestPick, QT_TRID_NOOP("Удалить ближайшую фазу под указателем"), "", "Del"},
    {kShortcutsHelp, QT_TRID_NOOP("Клавиши и команды"), "", ""},
    {kHelpContents, QT_TRID_NOOP("Справка ZEL"), "", "F1"},
    {kKeyAmplitude, QT_TRID_NOOP("Период и амплитуда после фазы под указателем"), "", "A"},
    {kRecordSection, QT_TRID_NOOP("Сейсмограммы по расстоянию"), "", "Ctrl+G"},
    {kResidualPlots, QT_TRID_NOOP("Невязки"), "", "Ctrl+Shift+L"},
    {kDspSaveWorksheet, QT_TRID_NOOP("Сохранить рабочую область..."), "", ""},
    {kDspLoadWorksheet, QT_TRID_NOOP("Загрузить рабочую область..."), "", ""},
    {kDspSaveData, QT_TRID_NOOP("Сохранить данные в файл"), "", ""},
    {kDspLoadData, QT_TRID_NOOP("Загрузить данные из файла"), "", ""},
    {kDspCopyData, QT_TRID_NOOP("Копировать данные в буфер обмена"), "copy", ""},
    {kDspPasteData, QT_TRID_NOOP("Вставить данные из буфера обмена"), "paste", ""},
    {kDspOverplot, QT_TRID_NOOP("Наложить графики..."), "overplot", ""},
    {kDspFixWindow, QT_TRID_NOOP("Зафиксировать окно"), "fix-window", ""},
    {kDspProperties, QT_TRID_NOOP("Свойства набора данных в активном окне"), "", ""},
    {kDspFormula, QT_TRID_NOOP("Формула окна..."), "window-formula", ""},
    {kDspAddWindow, QT_TRID_NOOP("Добавить окно"), "", ""},
    {kDspRemoveWindow, QT_TRID_NOOP("Удалить последнее окно"), "", ""},
    {kDspRecompute, QT_TRID_NOOP("Пересчитать все окна"), "recompute", ""},
    {kDspSpectrogram, QT_TRID_NOOP("Спектрограмма..."), "spectrogram", ""},
    {kPrint, QT_TRID_NOOP("Печать..."), "print", "Ctrl+P"},
};

}  // namespace

std::span<const Command> AllCommands() { return kCommands; }

const Command* Find(int id) {
    static const std::unordered_map<int, const Command*> byId = [] {
        std::unordered_map<int, const Command*> map;
        for (const Command& c : kCommands) map.emplace(c.id, &c);
        return map;
    }();
    const auto it = byId.find(id);
    return it == byId.end() ? nullptr : it->second;
}

std::string CommandText(int id) {
    const Command* c = Find(id);
    return c && *c->text ? qtTrId(c->text).toStdString() : std::string();
}

namespace {

const char* MenuTitleId(Menu menu) {
    switch (menu) {
        case Menu::Functions:
            return QT_TRID_NOOP("&Функции");
        case Menu::Waveforms:
            return QT_TRID_NOOP("&Волновые формы");
        case Menu::PhaseList:
            return QT_TRID_NOOP("&Список фаз");
        case Menu::Dsp:
            return QT_TRID_NOOP("&ПОС");
        case Menu::Map:
            return QT_TRID_NOOP("&Карта");
        case Menu::Window:
            return QT_TRID_NOOP("&Окно");
        case Menu::Help:
            return QT_TRID_NOOP("Спр&авка");
    }
    return nullptr;
}

}  // namespace

QString MenuTitle(Menu menu) {
    const char* id = MenuTitleId(menu);
    return id ? qtTrId(id) : QString();
}

bool IsPaneKey(const Command& command) {
    const std::string keys = command.shortcut;
    const bool functionKey = keys.size() > 1 && keys[0] == 'F' && std::isdigit(static_cast<unsigned char>(keys[1]));
    return !keys.empty() && !functionKey && keys.find("Ctrl+") == std::string::npos &&
           keys.find("Alt+") == std::string::npos;
}

const std::vector<MenuItem>& WaveformMenu() {
    auto sub = [](const char* title, std::vector<int> ids) {
        MenuItem m{0, title, {}};
        for (int id : ids) m.items.push_back({id, nullptr, {}});
        return m;
    };
    auto item = [](int id) { return MenuItem{id, nullptr, {}}; };
    const MenuItem separator{};
    static const std::vector<MenuItem> menu = {
        sub(QT_TRID_NOOP("&Каналы"),
            {kAddChannels, kNewPane, kChooseStationChannel, kDeleteActivePanes, 0, kSaveChannelList,
             kLoadChannelList, 0, kImportCss, kExportCss, kCleanDiskLoop}),
        sub(QT_TRID_NOOP("&Вид"), {kRedrawPanes, kDrawWaveforms, kFitAllPanes, 0, kAcquisitionMarks,
                                   kDatabasePhases, kCommonCursor}),
        separator,
        item(kShiftEarlier),
        item(kShiftLater),
        item(kPageEarlier),
        item(kPageLater),
        item(kShiftUp),
        item(kShiftDown),
        item(kReturn),
        sub(QT_TRID_NOOP("&Растянуть по"), {kStretchTimePane, kStretchAmplitudePane}),
        sub(QT_TRID_NOOP("&Сжать по"), {kCompressTimePane, kCompressAmplitudePane}),
        sub(QT_TRID_NOOP("&Масштаб"), {kCentre, kCentrePanes, kAlignTime, kAlignAmplitude, kOneScale}),
        sub(QT_TRID_NOOP("С&ортировать"), {kSortByStationIndex, kSortByPickTime, kSortByName,
                                           kSortByActivation, kSortByDistance, kSortByAmplitude, kSortByMb}),
        separator,
        sub(QT_TRID_NOOP("&Фазы"),
            {kPickMode, kKeyPickP, kKeyPickS, kKeyPickSet1, kKeyPickSet1 + 1, kKeyPickSet1 + 2,
             kKeyPickSet1 + 3, kKeyPickSet1 + 4, kKeyPickSet1 + 5, kKeyPickSet1 + 6, kKeyPickSet1 + 7,
             kKeyPickSet9, kDeleteNearestPick, 0, kDeleteMarks, kAlignMarks, kPhasePlacement}),
        MenuItem{
            0,
            QT_TRID_NOOP("&Преобразование"),
            {item(kFilter), item(kFilterDesigner), item(kRemoveFilter), item(kFormula), separator,
             sub(QT_TRID_NOOP("Си&муляция"), {kSimulateDisplacement, kSimulateWoodAnderson, kSimulateKirnos,
                                              kSimulateWwssp, kSimulateWwsslp, kSimulateLpsro, kSimulateSkm}),
             sub(QT_TRID_NOOP("Симуляция по &АЧХ"),
                 {kDisplacementByResponse, kSimulateWoodAndersonByResponse, kSimulateKirnosByResponse,
                  kSimulateWwsspByResponse, kSimulateWwsslpByResponse, kSimulateLpsroByResponse,
                  kSimulateVegikByResponse})}},
        sub(QT_TRID_NOOP("&Анализ"),
            {kRunDetector, kClearDetections, kDetectorSettings, 0, kThreeComponentAzimuth,
             kPolarizationAzimuth, kRectilinearity, kPlanarity, kFkAnalysis, kAzimuthFromPOnsets}),
        sub(QT_TRID_NOOP("Амп&литуды и магнитуды"),
            {kAmplitudePeriod, kKeyAmplitude, kMeasureByCalib, kMeasureByFile, kMeasureByDatabase,
             kNormaliseAmplitude, 0, kCoda, kNomogramClass, kVegikClass, kSkmClass}),
        sub(QT_TRID_NOOP("&Эпицентр"),
            {kDistanceEstimate, kTravelTimeCalculator, kDistanceAzimuth, 0, kLocateHypocentre, kLocateSvd,
             kRunLoq, kResidualPlots, 0, kRecordSection}),
        sub(QT_TRID_NOOP("Со&бытие"), {kNewEvent, kSavePhaseListDb, kLoadPhaseListDb, kLoadAutomatic,
                                       kLoadImsBulletin, 0, kEventReport}),
        separator,
        item(kCustomizeToolbar),
        item(kZelVersion),
    };
    return menu;
}

const std::vector<int>& DspWorkspaceCommands() {
    static const std::vector<int> ids = {
        kDspFormula, kDspRecompute, 0, kDspAddWindow, kDspRemoveWindow, 0, kDspSaveWorksheet, kDspLoadWorksheet, 0,
        kDspSaveData, kDspLoadData, kDspCopyData, kDspPasteData, 0, kDspOverplot, kDspFixWindow, kDspProperties, 0,
        kDspSpectrogram, 0, kPrint, 0};
    return ids;
}

const std::vector<int>& DropDownCommands(int id) {
    static const std::unordered_map<int, std::vector<int>> menus = {
        {kSortPanes,
         {kSortByStationIndex, kSortByPickTime, kSortByName, kSortByActivation, kSortByDistance, kSortByAmplitude,
          kSortByMb}},
        {kFilter, {kFilter, kFilterDesigner, kRemoveFilter}},
        {kFormula, {kFormula}},
        {kAmplitudePeriod, {kAmplitudePeriod, kMeasureByCalib, kMeasureByFile, kMeasureByDatabase}},
    };
    static const std::vector<int> none;
    const auto it = menus.find(id);
    return it == menus.end() ? none : it->second;
}

std::vector<int> DefaultToolbarLayout(const std::string& toolbarName) {
    if (toolbarName == "WAVEFORMS")
        return {kAddChannels, 0,         kShiftEarlier,   kShiftLater, kShiftUp,         kShiftDown,
                kReturn,      0,         kCompressTime,   kStretchTime, kCompressAmplitude, kStretchAmplitude,
                kCentre,      0,         kPickMode,       kSortPanes,  kFilter,          kFormula,
                kAmplitudePeriod, 0,     kSavePhaseListDb, kLoadPhaseListDb, 0,           kZelVersion};
    if (toolbarName == "MAP")
        return {kShowWaveforms, kShowPhaseList, kShowDsp,       kShowMap,      0,         kCascade,
                kTileHorizontally, kTileVertically, 0,          kMapZoomIn,    kMapZoomOut, 0,
                kMapShiftWest,  kMapShiftEast,  kMapShiftNorth, kMapShiftSouth, kMapReset, kMapFitNetwork, kMapFitEvent, 0,
                kMapRelief,     kMapCoastlines, kMapSimple,     kMapAzimuths};
    if (toolbarName == "PHASELIST")
        return {kNewEvent, kClearPhaseList, 0, kSavePhaseListDb, kLoadPhaseListDb, 0, kDistanceEstimate,
                kLocateHypocentre};
    if (toolbarName == "DSP")
        return {kFormula, kFilter, 0, kRunDetector, 0, kDspFormula, kDspRecompute, kDspOverplot, kDspFixWindow, 0,
                kDspSpectrogram, 0, kDspCopyData, kDspPasteData, 0, kPrint};
    return {};
}

}  // namespace zel::cmd
