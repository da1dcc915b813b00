#pragma once

#include <QComboBox>

#include <functional>

namespace lexifind::options {

// "Dictionnaire :": none, or one of the dictd dictionaries installed. The folder is
// listed when the list is opened, never before; a dictionary given by path (a project,
// lexifind-page's --set) shows as it is.
class DictionaryBox : public QComboBox
{
    Q_OBJECT
public:
    // value: the option as it stands; store: writes the teacher's choice into it.
    DictionaryBox(std::function<QString()> value, std::function<void(const QString &)> store,
                  QWidget *parent = nullptr);

    // The items from the folder, the option's value current.
    void Refill();
    void showPopup() override;
    // The option's value current, without listing the folder.
    void ShowValue();

protected:
    void showEvent(QShowEvent *event) override;

private:

    std::function<QString()> m_value;
    std::function<void(const QString &)> m_store;
    bool m_filling = false;
};

} // namespace lexifind::options
