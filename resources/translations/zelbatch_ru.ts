<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name></name>
    <message id="missing ROOT, the archive folder to scan">
        <source></source>
        <translation>не указан ROOT — папка архива для сканирования</translation>
    </message>
    <message id="scan">
        <source></source>
        <translation>сканирование</translation>
    </message>
    <message id="catalogue a MiniSEED archive (SDS tree or any folder) where it lies">
        <source></source>
        <translation>внести в каталог архив MiniSEED (дерево SDS или любую папку) на его месте</translation>
    </message>
    <message id="Every file below ROOT is looked at; each continuous run of a channel in a MiniSEED file becomes one catalogue row naming the file where it is (nothing is copied). A second scan reads only files that are new or changed (by size and modification time) and drops the rows of files that vanished. Channels missing from the station table are listed: import the network's StationXML (zelbatch stations --import FILE.xml) to see them.">
        <source></source>
        <translation>Просматривается каждый файл в папке ROOT и ниже; каждый непрерывный отрезок записи канала в файле MiniSEED становится одной строкой каталога со ссылкой на файл, где он лежит (ничего не копируется). Повторное сканирование читает только новые и измененные файлы (по размеру и времени изменения) и удаляет строки исчезнувших файлов. Каналы, которых нет в таблице станций, перечисляются: чтобы они стали видны, импортируйте StationXML сети (zelbatch stations --import FILE.xml).</translation>
    </message>
    <message id="option --%1 takes no value">
        <source></source>
        <translation>параметр --%1 не принимает значения</translation>
    </message>
    <message id="option --%1 needs a value">
        <source></source>
        <translation>для параметра --%1 нужно значение</translation>
    </message>
    <message id="option --%1 given twice">
        <source></source>
        <translation>параметр --%1 указан дважды</translation>
    </message>
    <message id="option --%1 is required">
        <source></source>
        <translation>параметр --%1 обязателен</translation>
    </message>
    <message id="%1: '%2' is not a number">
        <source></source>
        <translation>%1: «%2» не является числом</translation>
    </message>
    <message id="--%1: '%2' is not a whole number">
        <source></source>
        <translation>--%1: «%2» не является целым числом</translation>
    </message>
    <message id="missing argument">
        <source></source>
        <translation>не хватает аргумента</translation>
    </message>
    <message id="unknown option --%1">
        <source></source>
        <translation>неизвестный параметр --%1</translation>
    </message>
    <message id="unexpected argument '%1'">
        <source></source>
        <translation>лишний аргумент «%1»</translation>
    </message>
    <message id="The ZEL workstation's processing without a screen, on the same ZEL.ini and databases.">
        <source></source>
        <translation>Обработка рабочей станции ZEL без экрана, с тем же ZEL.ini и теми же базами данных.</translation>
    </message>
    <message id="Commands:">
        <source></source>
        <translation>Команды:</translation>
    </message>
    <message id="Global options (before the command):">
        <source></source>
        <translation>Общие параметры (указываются перед командой):</translation>
    </message>
    <message id="the configuration to use (default: $ZEL_INI, else ~/.config/zel/ZEL.ini)">
        <source></source>
        <translation>файл конфигурации (по умолчанию $ZEL_INI, иначе ~/.config/zel/ZEL.ini)</translation>
    </message>
    <message id="working database connect string, as zel's -ODBC">
        <source></source>
        <translation>строка подключения к рабочей БД, как параметр -ODBC программы zel</translation>
    </message>
    <message id="its login">
        <source></source>
        <translation>имя пользователя и пароль для нее</translation>
    </message>
    <message id="the disk loop directory, as zel's -DATADIR">
        <source></source>
        <translation>каталог дисковой петли, как параметр -DATADIR программы zel</translation>
    </message>
    <message id="answer yes where the workstation would ask (e.g. to overwrite)">
        <source></source>
        <translation>отвечать «да» там, где рабочая станция задала бы вопрос (например, о перезаписи)</translation>
    </message>
    <message id="this overview, the program's version">
        <source></source>
        <translation>эта справка; версия программы</translation>
    </message>
    <message id="'zelbatch COMMAND --help' describes one command. A file argument '-' is stdin or stdout.">
        <source></source>
        <translation>«zelbatch COMMAND --help» описывает одну команду. Аргумент-файл «-» означает стандартный ввод или стандартный вывод.</translation>
    </message>
    <message id="Exit codes: 0 done, 1 bad input or a failed operation, 2 wrong usage.">
        <source></source>
        <translation>Коды завершения: 0 — выполнено, 1 — ошибочные входные данные или неудавшаяся операция, 2 — неверный вызов.</translation>
    </message>
    <message id="cannot write to %1">
        <source></source>
        <translation>не удается записать в %1</translation>
    </message>
    <message id="cannot open '%1'">
        <source></source>
        <translation>не удается открыть «%1»</translation>
    </message>
    <message id="stdin is larger than %1 MiB, the limit of an input">
        <source></source>
        <translation>стандартный ввод больше %1 МиБ — предела для входных данных</translation>
    </message>
    <message id="'%1' is larger than %2 MiB, the limit of an input">
        <source></source>
        <translation>файл «%1» больше %2 МиБ — предела для входных данных</translation>
    </message>
    <message id="cannot read stdin">
        <source></source>
        <translation>не удается прочитать стандартный ввод</translation>
    </message>
    <message id="cannot read '%1'">
        <source></source>
        <translation>не удается прочитать «%1»</translation>
    </message>
    <message id="unknown global option %1">
        <source></source>
        <translation>неизвестный общий параметр %1</translation>
    </message>
    <message id="no command given">
        <source></source>
        <translation>не указана команда</translation>
    </message>
    <message id="unknown command '%1'">
        <source></source>
        <translation>неизвестная команда «%1»</translation>
    </message>
    <message id="Try 'zelbatch --help'.">
        <source></source>
        <translation>Справка: «zelbatch --help».</translation>
    </message>
    <message id="not enough memory for this command">
        <source></source>
        <translation>недостаточно памяти для этой команды</translation>
    </message>
    <message id="error: %1">
        <source></source>
        <translation>ошибка: %1</translation>
    </message>
    <message id="warning: %1">
        <source></source>
        <translation>предупреждение: %1</translation>
    </message>
    <message id="question: %1">
        <source></source>
        <translation>вопрос: %1</translation>
    </message>
    <message id="[yes]">
        <source></source>
        <translation>[да]</translation>
    </message>
    <message id="[no: give --yes to agree]">
        <source></source>
        <translation>[нет: для согласия укажите --yes]</translation>
    </message>
    <message id="%1: '%2' is not a time (e.g. 2026-12-08T10:00:00, 08/12/2026 10:00:00 or epoch seconds)">
        <source></source>
        <translation>%1: «%2» не является временем (например, 2026-12-08T10:00:00, 08/12/2026 10:00:00 или секунды от начала эпохи)</translation>
    </message>
    <message id="empty time window: --to %1 is not after --from %2">
        <source></source>
        <translation>пустое окно времени: --to %1 не позже --from %2</translation>
    </message>
    <message id="this command reads one channel: give --station and --channel">
        <source></source>
        <translation>эта команда читает один канал: укажите --station и --channel</translation>
    </message>
    <message id="give either --channels or --station with --channel, not both">
        <source></source>
        <translation>укажите либо --channels, либо --station с --channel, но не то и другое сразу</translation>
    </message>
    <message id="--channels: '%1' is not STATION:CHANNEL">
        <source></source>
        <translation>--channels: «%1» не имеет вида STATION:CHANNEL</translation>
    </message>
    <message id="--channels names no channel">
        <source></source>
        <translation>в --channels не указан ни один канал</translation>
    </message>
    <message id="--station and --channel need a code">
        <source></source>
        <translation>для --station и --channel нужен код</translation>
    </message>
    <message id="this command reads one channel: give one --station and one --channel">
        <source></source>
        <translation>эта команда читает один канал: укажите одну станцию в --station и один канал в --channel</translation>
    </message>
    <message id="unknown station '%1'">
        <source></source>
        <translation>неизвестная станция «%1»</translation>
    </message>
    <message id="station %1 has no channel '%2'">
        <source></source>
        <translation>у станции %1 нет канала «%2»</translation>
    </message>
    <message id="read">
        <source></source>
        <translation>чтение</translation>
    </message>
    <message id="--%1: %2 is outside %3..%4">
        <source></source>
        <translation>--%1: значение %2 вне диапазона %3..%4</translation>
    </message>
    <message id="--detector: '%1' is neither zel nor geotech">
        <source></source>
        <translation>--detector: «%1» — ни zel, ни geotech</translation>
    </message>
    <message id="the geotech detector runs on the raw samples only">
        <source></source>
        <translation>детектор geotech работает только по исходным отсчетам</translation>
    </message>
    <message id="detect">
        <source></source>
        <translation>детектирование</translation>
    </message>
    <message id="run the STA/LTA detector over channel windows and list the onsets">
        <source></source>
        <translation>запустить детектор STA/LTA по окнам каналов и вывести вступления</translation>
    </message>
    <message id="One line per onset: station, channel, time. Windows and threshold are each channel's stored detector settings unless given. With a TRANSFORMATION the (zel) detector runs on the filtered samples:">
        <source></source>
        <translation>Одна строка на вступление: станция, канал, время. Окна и порог, если не заданы, берутся из сохраненных настроек детектора каждого канала. С преобразованием (TRANSFORMATION) детектор (zel) работает по отфильтрованным отсчетам:</translation>
    </message>
    <message id="Usage: %1">
        <source></source>
        <translation>Использование: %1</translation>
    </message>
    <message id="missing DIR, the folder to import">
        <source></source>
        <translation>не указан DIR — папка для импорта</translation>
    </message>
    <message id="no folder '%1'">
        <source></source>
        <translation>нет папки «%1»</translation>
    </message>
    <message id="cannot list the folder '%1': %2">
        <source></source>
        <translation>не удается прочитать содержимое папки «%1»: %2</translation>
    </message>
    <message id="no wfdisc file (name with '.wfd') and no SAC file ('.sac') in '%1'">
        <source></source>
        <translation>в папке «%1» нет ни файлов wfdisc (с «.wfd» в имени), ни файлов SAC («.sac»)</translation>
    </message>
    <message id="import">
        <source></source>
        <translation>импорт</translation>
    </message>
    <message id="nothing imported from '%1'">
        <source></source>
        <translation>из «%1» ничего не импортировано</translation>
    </message>
    <message id="%1 wfdisc file">
        <source></source>
        <translation>файлов wfdisc: %1</translation>
    </message>
    <message id="%1 wfdisc files">
        <source></source>
        <translation>файлов wfdisc: %1</translation>
    </message>
    <message id="%1 SAC file">
        <source></source>
        <translation>файлов SAC: %1</translation>
    </message>
    <message id="%1 SAC files">
        <source></source>
        <translation>файлов SAC: %1</translation>
    </message>
    <message id="%1 file">
        <source></source>
        <translation>файлов: %1</translation>
    </message>
    <message id="%1 files">
        <source></source>
        <translation>файлов: %1</translation>
    </message>
    <message id="imported %1 of %2 from %3 into %4 (%5)">
        <source></source>
        <translation>импортировано в %4 — %1, %2, %3 (%5)</translation>
    </message>
    <message id="imported %1 of %2 from %3 into %4">
        <source></source>
        <translation>импортировано в %4 — %1, %2, %3</translation>
    </message>
    <message id="%1 segment">
        <source></source>
        <translation>сегментов: %1</translation>
    </message>
    <message id="%1 segments">
        <source></source>
        <translation>сегментов: %1</translation>
    </message>
    <message id="%1 channel">
        <source></source>
        <translation>каналов: %1</translation>
    </message>
    <message id="%1 channels">
        <source></source>
        <translation>каналов: %1</translation>
    </message>
    <message id="%1 problem">
        <source></source>
        <translation>ошибок: %1</translation>
    </message>
    <message id="%1 problems">
        <source></source>
        <translation>ошибок: %1</translation>
    </message>
    <message id="--format: '%1' is not int32le (i4), float32le (f4), int32be (s4) or mseed">
        <source></source>
        <translation>--format: «%1» — не int32le (i4), float32le (f4), int32be (s4) и не mseed</translation>
    </message>
    <message id="--name: a file name without a folder">
        <source></source>
        <translation>--name: нужно имя файла без папки</translation>
    </message>
    <message id="missing OUTDIR, the folder to write into">
        <source></source>
        <translation>не указан OUTDIR — папка для записи</translation>
    </message>
    <message id="%1: no samples in the window">
        <source></source>
        <translation>%1: в окне нет отсчетов</translation>
    </message>
    <message id="cannot create the folder '%1': %2">
        <source></source>
        <translation>не удается создать папку «%1»: %2</translation>
    </message>
    <message id="exported %1 of %2 to %3">
        <source></source>
        <translation>экспортировано в %3 — %1, %2</translation>
    </message>
    <message id="copy the wfdisc and SAC files of a folder into the disk loop">
        <source></source>
        <translation>скопировать файлы wfdisc и SAC из папки в дисковую петлю</translation>
    </message>
    <message id="Every file of DIR whose name holds '.wfd' (CSS 3.0 wfdisc), then every binary SAC file ('.sac'), is read; each segment of a station and channel of the station table becomes a disk-loop file with its catalogue row.">
        <source></source>
        <translation>Читаются все файлы папки DIR, в имени которых есть «.wfd» (wfdisc CSS 3.0), затем все двоичные файлы SAC («.sac»); каждый сегмент станции и канала из таблицы станций становится файлом дисковой петли со своей строкой каталога.</translation>
    </message>
    <message id="Problems of single files are warnings; nothing imported at all is an error (exit 1).">
        <source></source>
        <translation>Ошибки в отдельных файлах выводятся как предупреждения; если не импортировано ничего, это ошибка (код завершения 1).</translation>
    </message>
    <message id="write channels over a window as a wfdisc with sample files">
        <source></source>
        <translation>записать каналы за окно времени в виде wfdisc с файлами отсчетов</translation>
    </message>
    <message id="Writes OUTDIR/export.wfdisc (or --name) and one sample file per segment beside it, as the workstation's CSS 3.0 export does. The format defaults to the configured one. With --format mseed, one Steim-2 MiniSEED file per channel instead, OUTDIR/NET.STA.LOC.CHAN.mseed (samples rounded to whole counts; --network gives the network code, empty by default).">
        <source></source>
        <translation>Записывает OUTDIR/export.wfdisc (или имя из --name) и рядом по одному файлу отсчетов на сегмент, как это делает экспорт CSS 3.0 рабочей станции. По умолчанию формат берется из конфигурации. С --format mseed вместо этого записывается по одному файлу MiniSEED Steim-2 на канал, OUTDIR/NET.STA.LOC.CHAN.mseed (отсчеты округляются до целых; --network задает код сети, по умолчанию пустой).</translation>
    </message>
    <message id="'%1' is empty">
        <source></source>
        <translation>файл «%1» пуст</translation>
    </message>
    <message id="'%1' is cut short: the bulletin message does not end with STOP">
        <source></source>
        <translation>файл «%1» обрезан: сообщение бюллетеня не заканчивается строкой STOP</translation>
    </message>
    <message id="'%1' is cut short: its last line is incomplete">
        <source></source>
        <translation>файл «%1» обрезан: его последняя строка неполная</translation>
    </message>
    <message id="'%1' holds no QuakeML event">
        <source></source>
        <translation>в «%1» нет событий QuakeML</translation>
    </message>
    <message id="'%1' has no event %2">
        <source></source>
        <translation>в «%1» нет события %2</translation>
    </message>
    <message id="'%1' holds no EVENT of an IMS1.0 bulletin">
        <source></source>
        <translation>в «%1» нет ни одного блока EVENT бюллетеня IMS1.0</translation>
    </message>
    <message id="unknown travel-time model '%1' (this configuration has: %2)">
        <source></source>
        <translation>неизвестная модель времен пробега «%1» (в этой конфигурации есть: %2)</translation>
    </message>
    <message id="event %1 of '%2' has no usable phase (a defining phase with a travel-time curve at a known station)">
        <source></source>
        <translation>у события %1 из «%2» нет пригодных фаз (определяющих фаз с годографом на известной станции)</translation>
    </message>
    <message id="grid search">
        <source></source>
        <translation>поиск по сетке</translation>
    </message>
    <message id="location failed: %1">
        <source></source>
        <translation>локализация не удалась: %1</translation>
    </message>
    <message id="location failed: %1 (try another --depth or model)">
        <source></source>
        <translation>локализация не удалась: %1 (попробуйте другую глубину --depth или другую модель)</translation>
    </message>
    <message id="location failed: %1 (try --depth KM)">
        <source></source>
        <translation>локализация не удалась: %1 (попробуйте --depth KM)</translation>
    </message>
    <message id="event      %1">
        <source></source>
        <translation>событие        %1</translation>
    </message>
    <message id="origin     %1">
        <source></source>
        <translation>время в очаге  %1</translation>
    </message>
    <message id="lat        %1">
        <source></source>
        <translation>широта         %1</translation>
    </message>
    <message id="lon        %1">
        <source></source>
        <translation>долгота        %1</translation>
    </message>
    <message id="depth      %1 fixed">
        <source></source>
        <translation>глубина        %1 (фиксирована)</translation>
    </message>
    <message id="depth      %1">
        <source></source>
        <translation>глубина        %1</translation>
    </message>
    <message id="rms        %1">
        <source></source>
        <translation>СКО невязок    %1</translation>
    </message>
    <message id="ellipse    %1 x %2 km, azimuth %3">
        <source></source>
        <translation>эллипс ошибок  %1 × %2 км, азимут %3</translation>
    </message>
    <message id="phases     %1 used, %2 without travel time, %3 excluded as outliers">
        <source></source>
        <translation>фазы           использовано: %1, без времени пробега: %2, исключено как выбросы: %3</translation>
    </message>
    <message id="note       %1">
        <source></source>
        <translation>примечание     %1</translation>
    </message>
    <message id="region     %1 (%2)">
        <source></source>
        <translation>регион         %1 (%2)</translation>
    </message>
    <message id="region     -">
        <source></source>
        <translation>регион         -</translation>
    </message>
    <message id="magnitudes %1, %2, %3, %4">
        <source></source>
        <translation>магнитуды      %1, %2, %3, %4</translation>
    </message>
    <message id="cannot write the file '%1': %2">
        <source></source>
        <translation>не удается записать файл «%1»: %2</translation>
    </message>
    <message id="--method is svd or descent">
        <source></source>
        <translation>--method: допустимы svd или descent</translation>
    </message>
    <message id="locate needs the bulletin file (or - for stdin)">
        <source></source>
        <translation>для locate нужен файл бюллетеня (или - для стандартного ввода)</translation>
    </message>
    <message id="--depth and --free-depth exclude each other">
        <source></source>
        <translation>--depth и --free-depth исключают друг друга</translation>
    </message>
    <message id="--depth must lie between 1 and 600 km">
        <source></source>
        <translation>--depth: глубина должна быть от 1 до 600 км</translation>
    </message>
    <message id="--report needs --save: the report is made from the working database">
        <source></source>
        <translation>--report требует --save: отчет строится по рабочей БД</translation>
    </message>
    <message id="station %1 is not in the station table, its picks skipped">
        <source></source>
        <translation>станции %1 нет в таблице станций, ее вступления пропущены</translation>
    </message>
    <message id="phase %1 is not in the phase catalogue, its picks skipped">
        <source></source>
        <translation>фазы %1 нет в каталоге фаз, ее вступления пропущены</translation>
    </message>
    <message id="no region: %1">
        <source></source>
        <translation>регион не определен: %1</translation>
    </message>
    <message id="event %1 is already stored; give --yes to replace it">
        <source></source>
        <translation>событие %1 уже сохранено; чтобы заменить его, укажите --yes</translation>
    </message>
    <message id="event %1 saved">
        <source></source>
        <translation>событие %1 сохранено</translation>
    </message>
    <message id="event %1 was missing from the CSS database; its copy is written now">
        <source></source>
        <translation>события %1 не было в БД CSS; теперь его копия записана</translation>
    </message>
    <message id="event %1 is not in the CSS database: %2 (saving it again writes it)">
        <source></source>
        <translation>события %1 нет в БД CSS: %2 (повторное сохранение запишет его)</translation>
    </message>
    <message id="event %1 is saved, but its report was not written: %2 ('zelbatch show %1' prints it)">
        <source></source>
        <translation>событие %1 сохранено, но отчет о нем не записан: %2 (его выводит «zelbatch show %1»)</translation>
    </message>
    <message id="locate an IMS1.0 bulletin or QuakeML event, compute magnitudes, write and save it">
        <source></source>
        <translation>локализовать событие бюллетеня IMS1.0 или QuakeML, вычислить магнитуды, записать и сохранить его</translation>
    </message>
    <message id="Reads the IMS1.0 bulletin or QuakeML file (a file, or - for stdin) into the phase list as the workstation's bulletin load does (arrivals it cannot take are skipped with a warning), locates the event with the internal locator, computes the magnitudes its amplitudes allow (mb from P, Ms from LR, ML from S, Sg, Sn and Lg, the energy class K on the Vegik scale) and prints a summary: the hypocentre, and the phases used, left out for want of a travel time and excluded as outliers (a residual far beyond the spread of the others), by station and phase.">
        <source></source>
        <translation>Читает бюллетень IMS1.0 или файл QuakeML (файл или - для стандартного ввода) в список фаз так же, как загрузка бюллетеня на рабочей станции (вступления, которые не удается принять, пропускаются с предупреждением), локализует событие встроенной программой локализации, вычисляет магнитуды, которые позволяют его амплитуды (mb по P, Ms по LR, ML по S, Sg, Sn и Lg, энергетический класс K по шкале ВЭГИК), и выводит сводку: гипоцентр, а также фазы, использованные в расчете, оставленные без учета из-за отсутствия времени пробега и исключенные как выбросы (невязка намного больше разброса остальных), по станциям и фазам.</translation>
    </message>
    <message id="the bulletin event to take (default: the first)">
        <source></source>
        <translation>событие бюллетеня (по умолчанию первое)</translation>
    </message>
    <message id="travel-time model of the configuration, e.g. IASP91 or AK135 (default: the chosen one)">
        <source></source>
        <translation>модель времен пробега из конфигурации, например IASP91 или AK135 (по умолчанию выбранная)</translation>
    </message>
    <message id="svd (Geiger's least squares, the default) or descent (the steepest descent with a depth scan); both give the error ellipse">
        <source></source>
        <translation>svd (метод наименьших квадратов Гейгера, по умолчанию) или descent (наискорейший спуск с перебором глубин); оба дают эллипс ошибок</translation>
    </message>
    <message id="fix the depth; --free-depth (the default) lets the locator find it">
        <source></source>
        <translation>зафиксировать глубину; с --free-depth (по умолчанию) глубину определяет программа локализации</translation>
    </message>
    <message id="start from the 2-degree grid search, not from the bulletin's origin">
        <source></source>
        <translation>начинать с поиска по сетке с шагом 2 градуса, а не с решения из бюллетеня</translation>
    </message>
    <message id="write the located event as an IMS1.0 bulletin (- for stdout)">
        <source></source>
        <translation>записать локализованное событие как бюллетень IMS1.0 (- для стандартного вывода)</translation>
    </message>
    <message id="write it as QuakeML 1.2 (- for stdout)">
        <source></source>
        <translation>записать его в формате QuakeML 1.2 (- для стандартного вывода)</translation>
    </message>
    <message id="write the CSS 3.0 tables ORID.Origin, .Arrival, .Assoc, .Stamag, .Amplitude">
        <source></source>
        <translation>записать таблицы CSS 3.0 ORID.Origin, .Arrival, .Assoc, .Stamag, .Amplitude</translation>
    </message>
    <message id="write the phase files ID.arr (all phases), ID.out (HYPO71), zelout.dat (KPW2) and zelout.bms (TRAVO)">
        <source></source>
        <translation>записать файлы фаз ID.arr (все фазы), ID.out (HYPO71), zelout.dat (KPW2) и zelout.bms (TRAVO)</translation>
    </message>
    <message id="store the event in the working database (an event of the same id is replaced only with the global --yes)">
        <source></source>
        <translation>сохранить событие в рабочей БД (событие с тем же идентификатором заменяется только с общим параметром --yes)</translation>
    </message>
    <message id="with --save: the event's report, HTML for .htm/.html, text for .txt or - (stdout)">
        <source></source>
        <translation>вместе с --save: отчет о событии, HTML для .htm/.html, текст для .txt или - (стандартный вывод)</translation>
    </message>
    <message id="locate and print the summary only; nothing is written or stored">
        <source></source>
        <translation>только локализовать и вывести сводку; ничего не записывается и не сохраняется</translation>
    </message>
    <message id="A bulletin that is missing, cut short, malformed or larger than 128 MiB, or an event that cannot be located or saved (no id, a key that cannot be drawn), ends with exit code 1 before anything is written or stored. With DATABASE/SAVETOCSSDB the event's copy goes to the CSS database too.">
        <source></source>
        <translation>Если бюллетень отсутствует, обрезан, искажен или больше 128 МиБ либо событие нельзя локализовать или сохранить (нет идентификатора, не удается получить ключ), работа завершается с кодом 1 до какой-либо записи или сохранения. При DATABASE/SAVETOCSSDB копия события записывается и в БД CSS.</translation>
    </message>
    <message id="%1: unknown '%2' (one of %3)">
        <source></source>
        <translation>%1: неизвестное значение «%2» (допустимы: %3)</translation>
    </message>
    <message id="--%1: a frequency cannot be negative">
        <source></source>
        <translation>--%1: частота не может быть отрицательной</translation>
    </message>
    <message id="a stored filter preset">
        <source></source>
        <translation>сохраненный набор параметров фильтра</translation>
    </message>
    <message id="a Butterworth filter (lowpass uses --high, highpass --low; order 3, zero phase unless --causal)">
        <source></source>
        <translation>фильтр Баттерворта (lowpass использует --high, highpass — --low; порядок 3, нуль-фазовый, если не указан --causal)</translation>
    </message>
    <message id="a seismograph: displacement, velocity, kirnos, wwssn-lp, wwssn-sp, wood-anderson, lpsro, vegik, skm (add -fap to use the amplitude table)">
        <source></source>
        <translation>сейсмограф: displacement, velocity, kirnos, wwssn-lp, wwssn-sp, wood-anderson, lpsro, vegik, skm (добавьте -fap, чтобы использовать таблицу АЧХ)</translation>
    </message>
    <message id="a channel formula: 'current' is the channel it is applied to, d0, d1, ... the channels in the order named">
        <source></source>
        <translation>формула канала: «current» — канал, к которому она применяется, d0, d1, ... — каналы в порядке перечисления</translation>
    </message>
    <message id="--%1 needs --type">
        <source></source>
        <translation>--%1 требует --type</translation>
    </message>
    <message id="give one of --preset, --type, --simulate and --formula">
        <source></source>
        <translation>укажите только один из параметров --preset, --type, --simulate и --formula</translation>
    </message>
    <message id="--formula is empty">
        <source></source>
        <translation>--formula: пустая формула</translation>
    </message>
    <message id="--low has no meaning for a lowpass (its corner is --high)">
        <source></source>
        <translation>--low не имеет смысла для lowpass (его частота среза задается --high)</translation>
    </message>
    <message id="--high has no meaning for a highpass (its corner is --low)">
        <source></source>
        <translation>--high не имеет смысла для highpass (его частота среза задается --low)</translation>
    </message>
    <message id="--order: %1 is outside 1..%2">
        <source></source>
        <translation>--order: %1 вне диапазона 1..%2</translation>
    </message>
    <message id="no filter preset '%1'">
        <source></source>
        <translation>нет набора параметров фильтра «%1»</translation>
    </message>
    <message id="no filter preset '%1' (stored: %2)">
        <source></source>
        <translation>нет набора параметров фильтра «%1» (сохранены: %2)</translation>
    </message>
    <message id="the window holds %1 samples at %2 Hz, more than %3: take a shorter one">
        <source></source>
        <translation>окно содержит %1 отсчетов при %2 Гц, больше %3: возьмите окно короче</translation>
    </message>
    <message id="--%1: %2 is outside 16..10000 pixels">
        <source></source>
        <translation>--%1: %2 вне диапазона 16..10000 пикселей</translation>
    </message>
    <message id="--height: %1 pixels leave less than 40 for each of the %2 channels">
        <source></source>
        <translation>--height: при высоте %1 пикселей на каждый канал (всего %2) остается меньше 40</translation>
    </message>
    <message id="draw channels over a window into a PNG, as the waveform window does">
        <source></source>
        <translation>нарисовать каналы за окно времени в PNG, как окно волновых форм</translation>
    </message>
    <message id="One pane per channel, stacked, drawn by the waveform window's painter (default 1200 pixels wide, 160 high per channel). A TRANSFORMATION is drawn over each trace:">
        <source></source>
        <translation>По одной панели на канал, одна под другой, рисуются так же, как в окне волновых форм (по умолчанию ширина 1200 пикселей, высота 160 на канал). Преобразование (TRANSFORMATION) рисуется поверх каждой трассы:</translation>
    </message>
    <message id="--format: '%1' is neither text nor zel">
        <source></source>
        <translation>--format: «%1» — ни text, ни zel</translation>
    </message>
    <message id="--format zel writes a binary file: give --output FILE">
        <source></source>
        <translation>--format zel записывает двоичный файл: укажите --output FILE</translation>
    </message>
    <message id="no segments of %1 in the window">
        <source></source>
        <translation>в окне нет сегментов станции %1</translation>
    </message>
    <message id="%1: the window holds %2 separate runs of samples; a ZEL file holds one (use --format text or a shorter window)">
        <source></source>
        <translation>%1: в окне отдельных отрезков записи — %2, а файл ZEL вмещает только один (используйте --format text или окно короче)</translation>
    </message>
    <message id="give --preset, --type, --simulate or --formula">
        <source></source>
        <translation>укажите --preset, --type, --simulate или --formula</translation>
    </message>
    <message id="the channel (codes as in the station table)">
        <source></source>
        <translation>канал (коды как в таблице станций)</translation>
    </message>
    <message id="the window: 2013-06-14T12:08:00[.5], '14/06/2013 12:08:00' or epoch seconds, UTC">
        <source></source>
        <translation>окно времени: 2013-06-14T12:08:00[.5], «14/06/2013 12:08:00» или секунды от начала эпохи, UTC</translation>
    </message>
    <message id="where the samples go (default: stdout)">
        <source></source>
        <translation>куда записать отсчеты (по умолчанию стандартный вывод)</translation>
    </message>
    <message id="'time value' lines (epoch seconds), or a [ZEL4.0] sample file">
        <source></source>
        <translation>строки «время значение» (секунды от начала эпохи) или файл отсчетов [ZEL4.0]</translation>
    </message>
    <message id="list the catalogued segments of a station over a window">
        <source></source>
        <translation>вывести сегменты станции из каталога за окно времени</translation>
    </message>
    <message id="One line per segment that reaches into the window, in time order: station, channel, start, end, samples per second, file.">
        <source></source>
        <translation>Одна строка на каждый сегмент, попадающий в окно, по порядку времени: станция, канал, начало, конец, отсчетов в секунду, файл.</translation>
    </message>
    <message id="print or save the samples of a channel over a window">
        <source></source>
        <translation>вывести или сохранить отсчеты канала за окно времени</translation>
    </message>
    <message id="A gap in the records is a gap in the lines; a ZEL file needs a window without one.">
        <source></source>
        <translation>Разрыв в записи дает разрыв в строках; для файла ZEL нужно окно без разрывов.</translation>
    </message>
    <message id="filter, simulate a seismograph or apply a formula to a channel's window">
        <source></source>
        <translation>отфильтровать окно канала, смоделировать сейсмограф или применить формулу</translation>
    </message>
    <message id="TRANSFORMATION, one of:">
        <source></source>
        <translation>TRANSFORMATION — одно из:</translation>
    </message>
    <message id="The result lies on the window's own grid from --from on, as the waveform window filters.">
        <source></source>
        <translation>Результат лежит на собственной сетке окна начиная с --from, как при фильтрации в окне волновых форм.</translation>
    </message>
    <message id="--from lies after --to">
        <source></source>
        <translation>--from позже, чем --to</translation>
    </message>
    <message id="event %1 (orid %2) is missing from the CSS database; saving it again writes it">
        <source></source>
        <translation>события %1 (orid %2) нет в БД CSS; повторное сохранение запишет его</translation>
    </message>
    <message id="show needs an event id">
        <source></source>
        <translation>для show нужен идентификатор события</translation>
    </message>
    <message id="delete needs an event id">
        <source></source>
        <translation>для delete нужен идентификатор события</translation>
    </message>
    <message id="no stored event %1">
        <source></source>
        <translation>нет сохраненного события %1</translation>
    </message>
    <message id="event %1 not deleted: give the global --yes (zelbatch --yes delete %1)">
        <source></source>
        <translation>событие %1 не удалено: укажите общий параметр --yes (zelbatch --yes delete %1)</translation>
    </message>
    <message id="event %1 deleted">
        <source></source>
        <translation>событие %1 удалено</translation>
    </message>
    <message id="list the events stored in the working database">
        <source></source>
        <translation>вывести события, сохраненные в рабочей БД</translation>
    </message>
    <message id="One line per stored event, by origin time: id, origin time (UTC), latitude, longitude, depth (km), mb, Ms and ML (the mean of its picks' ML). --from and --to keep the events whose origin time lies between them; times as 2024-09-01T12:33:19, '2024-09-01 12:33:19.5', 2024-09-01 or epoch seconds.">
        <source></source>
        <translation>Одна строка на сохраненное событие, по времени в очаге: идентификатор, время в очаге (UTC), широта, долгота, глубина (км), mb, Ms и ML (среднее ML по его вступлениям). С --from и --to выводятся события, время в очаге которых лежит между ними; время в виде 2024-09-01T12:33:19, «2024-09-01 12:33:19.5», 2024-09-01 или секунд от начала эпохи.</translation>
    </message>
    <message id="print a stored event in full (its report)">
        <source></source>
        <translation>вывести сохраненное событие полностью (его отчет)</translation>
    </message>
    <message id="The event's report as the workstation makes it: hypocentre and the table of its phases, as tab-separated text, or HTML with --html.">
        <source></source>
        <translation>Отчет о событии в том виде, в каком его строит рабочая станция: гипоцентр и таблица его фаз — текстом с разделителями-табуляциями или в HTML с --html.</translation>
    </message>
    <message id="delete a stored event (needs the global --yes)">
        <source></source>
        <translation>удалить сохраненное событие (нужен общий параметр --yes)</translation>
    </message>
    <message id="Removes the event's origin and phases from the working database (and its copy from the CSS database when there is one). Without the global --yes nothing is deleted and the exit code is 1.">
        <source></source>
        <translation>Удаляет решение и фазы события из рабочей БД (и его копию из БД CSS, если она есть). Без общего параметра --yes ничего не удаляется, код завершения 1.</translation>
    </message>
    <message id="list the station table with its channels">
        <source></source>
        <translation>вывести таблицу станций с их каналами</translation>
    </message>
    <message id="One line per station of the working database: code, latitude, longitude, elevation (km), then its channels. --import first replaces the stations of an FDSN StationXML inventory: coordinates, channels placed by orientation, and each channel's poles and zeros for the instrument correction; channels without coordinates or responses are reported.">
        <source></source>
        <translation>Одна строка на станцию рабочей БД: код, широта, долгота, высота (км), затем ее каналы. С --import сначала заменяются станции из описания сети FDSN StationXML: координаты, каналы, размещенные по ориентации, и полюсы и нули каждого канала для коррекции за прибор; каналы без координат или характеристик перечисляются.</translation>
    </message>
    <message id="the working database could not be opened">
        <source></source>
        <translation>не удалось открыть рабочую БД</translation>
    </message>
    <message id="no samples in the window">
        <source></source>
        <translation>в окне нет отсчетов</translation>
    </message>
    <message id="the detector ran on no channel">
        <source></source>
        <translation>детектор не удалось запустить ни на одном канале</translation>
    </message>
    <message id="no samples of the channels in the window: nothing exported">
        <source></source>
        <translation>в окне нет отсчетов этих каналов: ничего не экспортировано</translation>
    </message>
    <message id="cannot encode the picture as PNG">
        <source></source>
        <translation>не удается закодировать изображение в PNG</translation>
    </message>
    <message id="not enough memory for this window: take a shorter one">
        <source></source>
        <translation>недостаточно памяти для этого окна: возьмите окно короче</translation>
    </message>
</context>
</TS>
