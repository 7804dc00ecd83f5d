#include "platform/CtlCommon.h"
namespace ctl {
void RegisterRichEdit() {}
void RegisterComboBoxEx() {}
void RegisterScrollBar() {}


void RegisterTab() {}
void RegisterTrackbar() {}
void RegisterProgress() {}
void RegisterDateTime() {}
void RegisterAnimate() {}
}
