#pragma once
// The cell store's view of a host's CStringArray: the rows stay in the
// host's array, the store edits them there.
#include "framework/StringArray.h"
#include "grid/GridData.h"

class CStringArrayRows : public GridRowList {
public:
    explicit CStringArrayRows(CStringArray* pArray) : m_pArray(pArray) {}

    int Count() const override { return m_pArray->GetSize(); }
    const std::string& Row(int nIndex) const override { return (*m_pArray)[nIndex].str(); }
    void SetRow(int nIndex, const std::string& text) override { m_pArray->SetAtGrow(nIndex, CString(text)); }
    void RemoveRow(int nIndex) override { m_pArray->RemoveAt(nIndex); }

private:
    CStringArray* m_pArray;
};
