#pragma once
// A failure while a component's property is applied from the form's values is passed on as an
// EReadError that names the component and the property.
#include "base/error_text.h"
#include "base/exceptions.h"

template <typename Apply>
void ReadProperty(const char* component, const char* property, Apply apply) {
    try {
        apply();
    } catch (const Exception& error) {
        throw EReadError(ReadErrorMessage(component, property, error.Message()));
    }
}
