// Writes an empty layer file through the model's own storage, for the journeys
// that load a layer into a new map: MakeLayerFile FILE.klz NAME [EPSG], in the
// system of that EPSG code (new maps' own by default). The layer
// spans a sheet of 10 x 7 km, so that the map zoomed to it has a scale a
// user can draw in, and has one text field, "Owner", which every object drawn
// into it carries (so the Info Tool has a line to show).
#include "core/MapField.h"
#include "model/layers/MapLayer.h"
#include "model/layers/MapModel.h"
#include "platform/frames/CWinApp.h"

#include <cstdio>
#include <cstdlib>

namespace {

class CMakeLayerApp : public CWinApp {
public:
    const char* m_path = nullptr;
    const char* m_name = nullptr;
    int m_epsg = 0;
    int m_result = 1;

    BOOL InitInstance() override
    {
        CMapModel model;
        if (m_epsg)
            model.SetProjection(m_epsg);
        CMapLayer layer(m_name);
        layer.SetBounds(CDoubleRect(0, 0, 10000, 7000));
        layer.AddField(CMapField("Owner", FIELD_TYPE_STRING, 40));
        m_result = model.CreateLayerDatabase(m_path, &layer) ? 0 : 1;
        if (m_result)
            std::fprintf(stderr, "%s exists or could not be written\n", m_path);
        return FALSE;
    }
    int ExitInstance() override { return m_result; }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s FILE.klz NAME [EPSG]\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    CMakeLayerApp app;
    app.m_path = argv[1];
    app.m_name = argv[2];
    app.m_epsg = argc == 4 ? std::atoi(argv[3]) : 0;
    return AfxWinMain(1, argv);
}
