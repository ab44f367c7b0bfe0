<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name></name>
    <message id="cannot write to stdout">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="cannot open '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="cannot read ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="the working database could not be opened">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="empty time window: --to ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="unknown station '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="station ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="no samples in the window">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="the detector ran on no channel">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="no folder '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="cannot list the folder '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="no wfdisc file (name with &quot;.wfd&quot;) and no SAC file (&quot;.sac&quot;) in '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="nothing imported from '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="no samples of the channels in the window: nothing exported">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="cannot create the folder '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="'">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="unknown travel-time model '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="event ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="location failed: ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="Ошибка открытия файла  '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="no filter preset '">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="cannot encode the picture as PNG">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="no stored event ">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
    <message id="not enough memory for this window: take a shorter one">
        <source></source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
