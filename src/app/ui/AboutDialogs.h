#pragma once
// "О программе" and "Версия ZEL".

class QWidget;

namespace zel {

void ShowAboutDlg(QWidget* parent);
void ShowZelAbout(QWidget* parent);

}  // namespace zel
