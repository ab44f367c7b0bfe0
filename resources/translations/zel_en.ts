<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name></name>
    <message id="Windows Quakegrapher (ZEL) - Система обработки сейсмических данных">
        <source></source>
        <translation>Windows Quakegrapher (ZEL) - Seismic data processing system</translation>
    </message>
    <message id="Версия %1 (%2)">
        <source></source>
        <translation>Version %1 (%2)</translation>
    </message>
    <message id="Версия ZEL">
        <source></source>
        <translation>ZEL version</translation>
    </message>
    <message id="Дата последнего изменения %1 %2">
        <source></source>
        <translation>Last modified %1 %2</translation>
    </message>
    <message id="Версия %1">
        <source></source>
        <translation>Version %1</translation>
    </message>
    <message id="Система обработки сейсмических данных">
        <source></source>
        <translation>Seismic data processing system</translation>
    </message>
    <message id="Расчет периода(с) и амплитуды(мкм.) ">
        <source></source>
        <translation>Period (s) and amplitude (µm) </translation>
    </message>
    <message id="Волновые формы">
        <source></source>
        <translation>Waveforms</translation>
    </message>
    <message id="Карта">
        <source></source>
        <translation>Map</translation>
    </message>
    <message id="Список фаз">
        <source></source>
        <translation>Phase list</translation>
    </message>
    <message id="ПОС">
        <source></source>
        <translation>DSP</translation>
    </message>
    <message id="Процессор обработки сигналов">
        <source></source>
        <translation>Digital signal processor</translation>
    </message>
    <message id="Шрифт">
        <source></source>
        <translation>Font</translation>
    </message>
    <message id="Каталог данных (дисковая петля):">
        <source></source>
        <translation>Data directory (disk loop):</translation>
    </message>
    <message id="Каталог отчетов:">
        <source></source>
        <translation>Reports directory:</translation>
    </message>
    <message id="Каталог таблиц CSS 3.0:">
        <source></source>
        <translation>CSS 3.0 tables directory:</translation>
    </message>
    <message id="Каталог бюллетеней IMS/REB:">
        <source></source>
        <translation>IMS/REB bulletins directory:</translation>
    </message>
    <message id="Сохранять события в БД CSS">
        <source></source>
        <translation>Save events to the CSS database</translation>
    </message>
    <message id="Искать волновые формы в таблице wfdisc БД CSS">
        <source></source>
        <translation>Look for waveforms in the wfdisc table of the CSS database</translation>
    </message>
    <message id="Использовать поле TEND">
        <source></source>
        <translation>Use the TEND field</translation>
    </message>
    <message id="Каталог вывода CSS 3.0:">
        <source></source>
        <translation>CSS 3.0 output directory:</translation>
    </message>
    <message id="Формат отсчетов:">
        <source></source>
        <translation>Sample format:</translation>
    </message>
    <message id="Расчет амплитуды по умолчанию">
        <source></source>
        <translation>Default amplitude calculation</translation>
    </message>
    <message id="по АЧХ (FAP-файлы в каталоге Response)">
        <source></source>
        <translation>by amplitude response (FAP files in the Response directory)</translation>
    </message>
    <message id="по Calib и Calper">
        <source></source>
        <translation>by Calib and Calper</translation>
    </message>
    <message id="по АЧХ из БД (нули/полюса или FAP)">
        <source></source>
        <translation>by amplitude response from the database (poles/zeros or FAP)</translation>
    </message>
    <message id="Текущий набор:">
        <source></source>
        <translation>Current set:</translation>
    </message>
    <message id="Язык интерфейса:">
        <source></source>
        <translation>Interface language:</translation>
    </message>
    <message id="по языку системы (LANG)">
        <source></source>
        <translation>as the system&apos;s language (LANG)</translation>
    </message>
    <message id="Русский">
        <source></source>
        <translation>Russian</translation>
    </message>
    <message id="Новый язык интерфейса действует со следующего запуска ZEL.">
        <source></source>
        <translation>A new interface language takes effect the next time ZEL starts.</translation>
    </message>
    <message id="Установки">
        <source></source>
        <translation>Settings</translation>
    </message>
    <message id="Рабочие каталоги">
        <source></source>
        <translation>Working directories</translation>
    </message>
    <message id="Вывод CSS 3.0">
        <source></source>
        <translation>CSS 3.0 output</translation>
    </message>
    <message id="Амплитуда и период">
        <source></source>
        <translation>Amplitude and period</translation>
    </message>
    <message id="Наборы фаз">
        <source></source>
        <translation>Phase sets</translation>
    </message>
    <message id="Установки окна &quot;Волновые формы&quot;">
        <source></source>
        <translation>&quot;Waveforms&quot; window settings</translation>
    </message>
    <message id="Настройка параметров внешней программы F-K анализа">
        <source></source>
        <translation>External F-K analysis program settings</translation>
    </message>
    <message id="Язык">
        <source></source>
        <translation>Language</translation>
    </message>
    <message id="Не удалось прочитать файл настроек %1: %2">
        <source></source>
        <translation>Cannot read the settings file %1: %2</translation>
    </message>
    <message id="Не удалось записать файл настроек %1: %2">
        <source></source>
        <translation>Cannot write the settings file %1: %2</translation>
    </message>
    <message id="Не удалось создать каталог %1: %2">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Недопустимое имя раздела файла настроек: &quot;%1&quot;">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Недопустимое имя ключа файла настроек: &quot;%1&quot;">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Значение ключа %1 содержит перевод строки и не может быть записано в файл настроек">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Недопустимый номер месяца: %1">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Не удалось создать каталог данных ZEL: %1">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Не удалось определить домашний каталог пользователя (переменная HOME не задана)">
        <source></source>
        <translation>Cannot determine the user&apos;s home directory (HOME is not set)</translation>
    </message>
    <message id="Нет каталога ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка базы данных: Error of delete record in ZEL-DB (FILELIST -&gt; ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка открытия файла ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка чтения файла ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка записи файла wfdisc">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Не могу конвертировать данные типа ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Не могу создать файл '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Файл не содержит записей MiniSEED: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Блок без частоты дискретизации нельзя записать в MiniSEED">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Недостаточно памяти для записи MiniSEED">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Значение отсчета не может быть записано в MiniSEED (Steim-2): ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка упаковки данных MiniSEED">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Файл не в формате SAC: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Файл SAC не содержит равномерного временного ряда: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверный заголовок файла SAC: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="В заголовке файла SAC нет времени начала: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Файл SAC короче, чем указано в заголовке: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="В заголовке файла SAC нет станции или канала: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="DecodeSamples: encoding ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Коды станции и канала не могут содержать переводов строки">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверные время, длительность или частота для заголовка файла">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверная частота для заголовка файла">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Коды станции и канала слишком длинны для заголовка файла">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка записи файла '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Слишком длинное имя сети: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Слишком длинный список станций сети ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Zero Divide">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверное время начала демонстрационных данных">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверная длительность демонстрационных данных">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Нет файла ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверное число '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Файл годографа ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверное число узлов в файле годографа ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверный файл калибровки ML ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Расстояние вне таблицы калибровки ML">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверная строка в файле калибровки mb ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверный файл калибровки mb ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Расстояние или глубина вне таблицы калибровки mb">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Нет значения калибровки mb для этого расстояния и глубины">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Фильтр типа '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Не задан файл АЧХ канала">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Не удалось открыть файл АЧХ '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Файл АЧХ '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Нет данных для симуляции">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Окно детектора слишком длинное для частоты дискретизации">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Нет данных в окне">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка открытия файла результатов F-K анализа:&#10;'">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка инициализации интерфейса к базе данных CSS">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Фаза ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Нет станции или фазы в строке: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Пустой файл гипоцентра">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Нет файла регионов ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверный файл регионов ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Фазы совпадают">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Нет решения">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка открытия файла: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка открытия файла  '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Файл не в формате QuakeML: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка чтения файла QuakeML ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка чтения файла StationXML ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Файл не в формате FDSN StationXML: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="В файле StationXML нет станций с координатами: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Канал окна D">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="a formula needs the panes it reads">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="the formula's result has no sample interval">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Слишком короткий интервал для оценки амплитуды и периода">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Оценка амплитуды и периода производится только по фильтрованным данным">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Не выбран интервал">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Интервал вне пределов активного окна">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неизвестна частота дискретизации канала">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Значение АЧХ канала на этом периоде равно 0">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Коэффициент усиления сегмента равен 0">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Период = 0">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Введите имя списка каналов">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Имя списка каналов не может содержать \, [, ] и управляющие символы">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Введите имя фильтра">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Имя фильтра длиннее 128 символов">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Имя фильтра не может содержать символы \ [ ] и переводы строк">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Фильтр типа SPWWSS не поддерживается: выберите другой тип фильтра">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Фаза &quot;">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Неверный код вступления">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Время отметки вне допустимого диапазона">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Каналы имеют разную частоту квантования">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка данных">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Преобразование с кодом ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Не выбрано главное окно">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Для активных каналов не известны координаты станций">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
