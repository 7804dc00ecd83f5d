// Run-time class information (CObject.h): the chain of base classes for IsKindOf and the registry
// of classes creatable by name.
#include "platform/base/CObject.h"

#include <cstring>
#include <vector>

namespace {
std::vector<const CRuntimeClass*>& Registry()
{
    static std::vector<const CRuntimeClass*> classes;
    return classes;
}
}

const CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == base)
            return TRUE;
    return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    for (const CRuntimeClass* c : Registry())
        if (std::strcmp(c->m_lpszClassName, className) == 0)
            return c;
    return nullptr;
}

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* cls) { Registry().push_back(cls); }
