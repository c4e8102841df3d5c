#pragma once
// Root of the framework's classes: a virtual destructor and run-time class
// information, so the document template can create documents, frames and views
// from a class record.

class CObject;

// One record per dynamically creatable class: its name and a factory.
struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const { return nullptr; }

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(theClass) (&theClass::classRecord)

#define DECLARE_DYNCREATE(theClass) \
public: \
    static const CRuntimeClass classRecord; \
    static CObject* CreateObject(); \
    const CRuntimeClass* GetRuntimeClass() const override { return &classRecord; }

#define IMPLEMENT_DYNCREATE(theClass) \
    CObject* theClass::CreateObject() { return new theClass; } \
    const CRuntimeClass theClass::classRecord = { #theClass, &theClass::CreateObject };
