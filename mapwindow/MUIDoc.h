// The map document: owns the map window object, which owns the map model.
#pragma once

#include "mapwindow/MUIMap.h"

class CMapModel;

class CMUIDoc {
public:
    CMUIDoc();
    virtual ~CMUIDoc();
    CMUIDoc(const CMUIDoc&) = delete;
    CMUIDoc& operator=(const CMUIDoc&) = delete;

    CMUIMap* GetMapWnd() { return &m_MapWnd; }
    CMapModel* GetMapModel() { return m_MapWnd.GetMapModel(); }

protected:
    CMUIMap m_MapWnd;
};
