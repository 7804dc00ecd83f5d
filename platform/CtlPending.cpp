#include "platform/CtlCommon.h"
namespace ctl {
void RegisterRichEdit() {}
void RegisterComboBoxEx() {}
void RegisterScrollBar() {}
void RegisterHeader() {}
void RegisterListView() {}
void RegisterTab() {}
void RegisterTrackbar() {}
void RegisterProgress() {}
void RegisterDateTime() {}
void RegisterAnimate() {}
}
