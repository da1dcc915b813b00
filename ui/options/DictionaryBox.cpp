#include "ui/options/DictionaryBox.h"

#include "document/Dictionary.h"

#include <QShowEvent>

namespace lexifind::options {

DictionaryBox::DictionaryBox(std::function<QString()> value,
                             std::function<void(const QString &)> store, QWidget *parent)
    : QComboBox(parent), m_value(std::move(value)), m_store(std::move(store))
{
    setToolTip(QStringLiteral("Dictionary that proposes definitions (dictd format, "
                              "/usr/share/dictd); none by default"));
    ShowValue();
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_filling)
            m_store(itemData(index).toString());
    });
}

void DictionaryBox::ShowValue()
{
    m_filling = true;
    const QString value = m_value();
    if (count() == 0)
        addItem(QStringLiteral("(aucun)"), QString());
    int index = findData(value);
    if (index < 0) {
        addItem(value, value);
        index = count() - 1;
    }
    setCurrentIndex(index);
    m_filling = false;
}

void DictionaryBox::Refill()
{
    m_filling = true;
    clear();
    addItem(QStringLiteral("(aucun)"), QString());
    const std::vector<DictionaryFiles> installed = Dictionary::installed();
    for (const DictionaryFiles &files : installed) {
        // A name says its languages; only other dictionaries read their own header.
        QString text = files.name;
        try {
            text = Dictionary(files).description();
        } catch (...) {
        }
        addItem(text, files.name);
    }
    if (installed.empty())
        setItemText(0, QStringLiteral("(aucun : apt install dict-freedict-fra-eng)"));
    m_filling = false;
    ShowValue();
}

void DictionaryBox::showPopup()
{
    Refill();
    QComboBox::showPopup();
}

void DictionaryBox::showEvent(QShowEvent *event)
{
    QComboBox::showEvent(event);
    ShowValue();
}

} // namespace lexifind::options
