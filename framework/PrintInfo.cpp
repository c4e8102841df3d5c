#include "framework/PrintInfo.h"

CPrintDialog::CPrintDialog() : m_pd()
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = PD_RETURNDC | PD_ALLPAGES | PD_HIDEPRINTTOFILE;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 1;
    m_pd.nCopies = 1;
}

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog)
{
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD->m_pd.hDevMode)
        GlobalFree(m_pPD->m_pd.hDevMode);
    if (m_pPD->m_pd.hDevNames)
        GlobalFree(m_pPD->m_pd.hDevNames);
    delete m_pPD;
}
