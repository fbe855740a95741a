// The tools menu: 呼び長さの選定, a dialog beside the window that follows its size.

#include "form1.h"
#include "lengthchooser.h"
#include "lengthlist.h"

void Form1::ChooseLength_Click()
{
    if (!m_lengthChooser) {
        // Its length goes through Combo1, so the window shows it by its own handler.
        m_lengthChooser = new LengthChooser(
            m_records, [this](int key) { m_combo1->setCurrentIndex(key); }, m_fonts.windowDefault(), this);
    }
    m_lengthChooser->show();
    m_lengthChooser->raise();
    m_lengthChooser->activateWindow();
}
