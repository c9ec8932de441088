// A shared bundle of property values for elements of one type: setters,
// an optional base style and triggers. Sealing flattens the style and its
// base chain into one store.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupSetterCollection;
class CLVKMarkupTriggerCollection;
class CLVKMarkupResourceDictionary;

class CLVKMarkupStyle : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupStyle();

    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    void SetPropertyObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupDependencyProperty* pProperty,
                           CLVKMarkupObject* pValue) override;
    int GetLogicalChildrenCount() const override { return 1; }
    CLVKMarkupObject* GetLogicalChild(int nIndex) const override;

    void Seal();
    BOOL IsSealed() const { return m_bSealed; }
    CLVKMarkupObject* GetSealedValue(CLVKMarkupDependencyProperty* pProperty) const;

    CLVKMarkupStyle* GetBasedOn() const;
    CLVKMarkupTriggerCollection* GetTriggers() const;
    CLVKMarkupType* GetTargetType() const;
    CLVKMarkupSetterCollection* GetSetters() const { return m_pSetters; }

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pResourcesProperty;
    static CLVKMarkupDependencyProperty* m_pTargetTypeProperty;
    static CLVKMarkupDependencyProperty* m_pBasedOnProperty;
    static CLVKMarkupDependencyProperty* m_pTriggersProperty;

protected:
    ~CLVKMarkupStyle() override;

private:
    void Seal(int nDepth);

    CLVKMarkupSetterCollection* m_pSetters;
    BOOL m_bSealed = FALSE;
    CLVKMarkupProperties* m_pSealedValues = nullptr;
};
