#pragma once
// The About box of the window's system menu: the program's name and version and an OK button.
// It blocks only the window it opens over (its parent).

#include <QDialog>

namespace gm {

inline constexpr char kAboutMenuText[] = "&About QEL_GMouse...";
inline constexpr char kAboutCaption[] = "About QEL_GMouse";
inline constexpr char kAboutVersionLine[] = "QEL_GMouse Version 1.0";
inline constexpr char kAboutSecondLine[] = "Settings and macros of the gaming mouse";

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace gm
