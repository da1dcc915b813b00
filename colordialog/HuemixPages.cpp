#include "colordialog/HuemixPages.h"

THuemixPage::THuemixPage(TfrmHuemixDialog &window, int tag, const QString &objectName)
    : FWindow(window)
    , FTag(tag)
{
    setObjectName(objectName);
    setProperty("Tag", tag);
}
