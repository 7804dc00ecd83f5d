// CObject and run-time class information: IsKindOf tests and creation by class
// (DECLARE_DYNAMIC / DECLARE_DYNCREATE / DECLARE_SERIAL and their IMPLEMENT_ pairs).
#pragma once

#include "platform/base/WinTypes.h"

class CObject;
class CArchive;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                       // 0xFFFF for classes that are not serialisable
    CObject* (*m_pfnCreateObject)();      // null for classes that cannot be created by class
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
    // A registered class by name (DECLARE_DYNCREATE and DECLARE_SERIAL classes register themselves).
    static const CRuntimeClass* FromName(const char* className);
};

// Registers a creatable class at start-up so that FromName finds it.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(const CRuntimeClass* cls);
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    BOOL IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
    BOOL IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(name) (&name::class##name)

#define DECLARE_DYNAMIC(name)                                                                              \
public:                                                                                                    \
    static const CRuntimeClass class##name;                                                                \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(name)                                                                            \
    DECLARE_DYNAMIC(name)                                                                                  \
    static CObject* CreateObject();

#define DECLARE_SERIAL(name) DECLARE_DYNCREATE(name)

#define KV_IMPLEMENT_RUNTIMECLASS(name, base, schema, create)                                              \
    const CRuntimeClass name::class##name = {#name, (int)sizeof(name), schema, create, RUNTIME_CLASS(base)}; \
    const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }

#define IMPLEMENT_DYNAMIC(name, base) KV_IMPLEMENT_RUNTIMECLASS(name, base, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(name, base)                                                                    \
    CObject* name::CreateObject() { return new name; }                                                     \
    KV_IMPLEMENT_RUNTIMECLASS(name, base, 0xFFFF, name::CreateObject)                                      \
    static const AFX_CLASSINIT _init_##name(RUNTIME_CLASS(name));

#define IMPLEMENT_SERIAL(name, base, schema)                                                               \
    CObject* name::CreateObject() { return new name; }                                                     \
    KV_IMPLEMENT_RUNTIMECLASS(name, base, schema, name::CreateObject)                                      \
    static const AFX_CLASSINIT _init_##name(RUNTIME_CLASS(name));
