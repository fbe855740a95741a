#include "form1.h"

#include "data1.h"
#include "drawings.h"
#include "form2.h"
#include "formtop.h"
#include "labels.h"
#include "lengthlist.h"
#include "lengthtables.h"
#include "pagelabels.h"
#include "recordbinding.h"
#include "recordsource.h"
#include "tabcontrol.h"
#include "windowposition.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QStatusBar>
#include <QWindow>

Form1::Form1(QWidget* parent)
    : QMainWindow(parent)
    , m_records(quill::RecordSource::readingAhead(this))
    , m_binding(new RecordBinding(m_records, this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ロスタリ【六角穴付きボルト】 JIS B 1176(1988)"));
    setWindowIcon(windowIconImage());
    // Fixed single border: a title bar with system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(m_fonts.windowDefault());

    buildMenus();
    buildClientArea();
    buildKeys();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_records, &quill::RecordSource::problem, this, &Form1::showDatabaseProblem);
    connect(m_records, &quill::RecordSource::readingLong, this, &Form1::showReading);
    connect(m_label1, &ValueLabel::changed, this, &Form1::Label1_Change);
    connect(m_combo1, &QComboBox::currentIndexChanged, this, &Form1::Combo1_Click);
    connect(m_sstab1, &TabControl::currentChanged, this, &Form1::SSTab1_Click);

    QWidget::setTabOrder(m_combo1, m_sstab1->tabBar());

    // The size is final before the window exists: a later resize would make the window system
    // take the position as the client area's instead of the frame's.
    ensurePolished();
    layout()->activate();
    // Placed by the program, not by the window system: the outer corner at the screen's corner.
    setFramePosition(QPoint(0, 0));
}

void Form1::setFramePosition(const QPoint& corner)
{
    // Positions are of the outer (frame) edge. Telling the window so lets the window manager
    // place the frame, not the client area, at the corner.
    move(corner);
    winId();
    windowHandle()->setFramePosition(corner);
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    setFramePosition(storedPosition(m_settings, frameGeometry().topLeft()));
    m_activationPending = true;
    show();
    setStatusText(1, QString::fromUtf8(pageTexts()[0].status));
    m_records->setDatabaseName(quill::RecordSource::workingDirectoryDatabase());
    for (std::string_view item : quill::lengths::kLengthItems)
        m_combo1->addItem(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
    m_combo1->setCurrentText(m_combo1->itemText(0));
    m_combo1->setFocus(Qt::OtherFocusReason);
    // The records are read once loading has returned.
    QMetaObject::invokeMethod(m_records, &quill::RecordSource::open, Qt::QueuedConnection);
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload()
{
    storePosition(m_settings, frameGeometry().topLeft());
}

bool Form1::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && m_activationPending) {
        m_activationPending = false;
        Form_Activate();
    }
    return handled;
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    // Escape presses the hidden cancel button. Only an Escape that no control took gets here:
    // one inside the open length list or a menu closes that and goes no further.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_command1->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form1::Form_Activate()
{
    if (m_label1->caption() == QLatin1String("M3"))
        M03L();
}

void Form1::Command1_Click()
{
    emit programEndRequested();
}

void Form1::Quit_Click()
{
    emit programEndRequested();
}

void Form1::Combo1_Click()
{
    ShowLengths();
}

void Form1::Label1_Change()
{
    ShowLengths();
}

void Form1::SSTab1_Click()
{
    const int tab = m_sstab1->currentIndex();
    if (tab >= 0 && tab < int(pageTexts().size()))
        setStatusText(1, QString::fromUtf8(pageTexts()[std::size_t(tab)].status));
}

void Form1::FormTop_ON_Click()
{
    setStatusText(2, QStringLiteral("FormTop"));
    FormTop(*this, 1);
    m_formTopOn->setChecked(true);
    m_formTopOff->setChecked(false);
}

void Form1::FormTop_OFF_Click()
{
    setStatusText(2, QString());
    FormTop(*this, 0);
    m_formTopOn->setChecked(false);
    m_formTopOff->setChecked(true);
}

void Form1::About_Click()
{
    FormTop_OFF_Click();
    {
        Form2 about(m_fonts, this);
        about.exec();
    }
    // Coming back from the dialog activates this window again.
    m_activationPending = true;
    activateWindow();
    if (isActiveWindow()) {
        m_activationPending = false;
        Form_Activate();
    }
}

void Form1::setStatusText(int panel, const QString& text)
{
    (panel == 1 ? m_panel1 : m_panel2)->setText(text);
}

void Form1::showReading(bool reading)
{
    // Over the status bar, not in a message box: a read that ends by itself needs no answer from
    // the user and must not take the focus or block the window meanwhile. The panels come back
    // as they are when it ends, their texts having followed the page and the menu meanwhile.
    if (reading)
        m_statusBar1->showMessage(QStringLiteral("読み込み中…"));
    else
        m_statusBar1->clearMessage();
}

void Form1::showDatabaseProblem(const QString& message)
{
    // Window-modal and non-blocking: the main window stays as it is and takes input again
    // once the message is gone.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("ロスタリ"), message, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("Data1_Error"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
