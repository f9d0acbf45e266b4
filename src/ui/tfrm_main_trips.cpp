// Trip grid lines, place names on trip positions, the coordinate menu and the export.
#include "ui/tfrm_main.h"

namespace wr {

void TfrmMain::InitPlaceStore() {}
void TfrmMain::FreePlaceStore() {}
void TfrmMain::FillTripNames() {}
void TfrmMain::RefreshTripNames() {}
void TfrmMain::HandleTripsLine(const std::string&) {}
void TfrmMain::btnGetTripsClick() {}
void TfrmMain::btnDeleteAllClick() {}
void TfrmMain::btnExcelClick() {}
void TfrmMain::sgridTripsMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
void TfrmMain::OpeninGoogleMaps1Click() {}
void TfrmMain::btnNameCoordinateClick() {}
void TfrmMain::btnRenameCoordinateClick() {}
void TfrmMain::btnDeleteNameClick() {}
void TfrmMain::OpenCoordinateInMap(int, int) {}

}  // namespace wr
