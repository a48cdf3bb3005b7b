// VELT_REGISTER_CLASS: registers a public class with the component registry when the library
// loads. Write it once, at namespace scope, in the class's .cpp:
//
//   VELT_REGISTER_CLASS(Int32Editor, VisibleControl, "XCStructEditing", "")
//   VELT_REGISTER_CLASS(ParmNameEditor, VisibleControl, "",
//                       "KeyDown(KeyCode, Shift), Change(Name), DisplayError(ErrorMessage)")
//   VELT_REGISTER_CLASS(XCRuntimeDataEvaluation, NonCreatable, "", "")
//
// Kind is VisibleControl, InvisibleControl or NonCreatable. Interfaces and events are texts
// listing names separated by commas or semicolons (commas inside parentheses do not split).
// Creatable classes get the factory `new ClassName(parentWidget)`; non-creatable classes get no
// factory, and their meta-object when they have one. The class identifier is
// "VeltEditors." + ClassName.
#pragma once

#include "componentregistry.h"

#include <type_traits>

namespace Velt {

VELT_EXPORT QStringList splitMemberList(const char* list);

namespace detail {

template <typename T, ComponentRegistry::Kind kind>
bool registerComponent(const char* className, const char* interfaces, const char* events)
{
    ComponentRegistry::ClassInfo info;
    info.className = QString::fromUtf8(className);
    info.kind = kind;
    info.interfaces = splitMemberList(interfaces);
    info.events = splitMemberList(events);
    if constexpr (requires { &T::staticMetaObject; })
        info.metaObject = &T::staticMetaObject;
    if constexpr (kind != ComponentRegistry::Kind::NonCreatable) {
        static_assert(std::is_constructible_v<T, QWidget*>,
                      "a creatable class needs a constructor taking a parent QWidget*");
        info.factory = [](QWidget* parent) -> QObject* { return new T(parent); };
    }
    return ComponentRegistry::instance().registerClass(std::move(info));
}

} // namespace detail
} // namespace Velt

#define VELT_REGISTER_CLASS(ClassName, KindName, Interfaces, Events)                           \
    namespace {                                                                                \
    [[maybe_unused]] const bool velt_registered_##ClassName =                                  \
        ::Velt::detail::registerComponent<ClassName,                                           \
                                          ::Velt::ComponentRegistry::Kind::KindName>(          \
            #ClassName, Interfaces, Events);                                                   \
    }
