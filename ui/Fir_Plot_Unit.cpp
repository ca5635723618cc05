#include "ui/Fir_Plot_Unit.h"

#include "chart/chart_bar_series.h"
#include "scope/scope_chart_setup.h"
#include "toolkit/colors.h"
#include "ui/chart_widget.h"
#include "ui/toolkit_color.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      series1_(&signova::ConfigureFirPlotChart(chart_)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString::fromUtf8(" SIGNOVA  FIR co\u00EBffici\u00EBnten"));
    setModal(true);
    setFixedSize(536, 348);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    QPalette face = palette();
    face.setColor(QPalette::Window, ToQColor(signova::clBtnFace));
    setPalette(face);

    Chart1 = new ChartWidget(chart_, this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setGeometry(8, 8, 517, 289);

    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                               QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(220, 308, 93, 29);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

TForm2::~TForm2() = default;

int TForm2::exec() {
    if (!shownBefore_) {
        shownBefore_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    return QDialog::exec();
}
