// How the members of the drawing interface travel over D-Bus: every required
// parameter as its own typed argument, every optional parameter as an entry of
// one trailing dictionary of variants ("a{sv}") under its own name, so that
// "missing", "given as a number" and "given as a text" stay distinguishable.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <vector>

#include "server/plamor_members.h"

namespace plamor::dbus {

// The D-Bus signature of a member's arguments and of its result.
QString InSignature(const MemberInfo& member);
QString OutSignature(const MemberInfo& member);

// The arguments of a call as they travel; Missing values of optional
// parameters are left out of the dictionary.
QVariantList PackArguments(const MemberInfo& member, const std::vector<ArgValue>& args);

// The arguments of a received call in parameter order; throws AutomationError
// (invalid argument) when the message does not fit the member.
std::vector<ArgValue> UnpackArguments(const MemberInfo& member, const QVariantList& arguments);

// The optional arguments given in an options dictionary ("a{sv}"), put at
// their parameter positions in `args` (sized to the member's parameters);
// throws AutomationError for a value that is not a dictionary, an unknown
// name or a value of the wrong kind.
void UnpackOptions(const MemberInfo& member, const QVariant& dict, std::vector<ArgValue>& args);

QVariant PackResult(const MemberInfo& member, const ArgValue& result);
ArgValue UnpackResult(const MemberInfo& member, const QVariant& value);

// Introspection data of the object interface, members in interface order.
QString IntrospectionXml();

}  // namespace plamor::dbus
