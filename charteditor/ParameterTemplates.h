#pragma once
// The template import behind "Make Group": a line chart's companion nodes
// (parameters, label templates, its group) come from a template scene this
// module carries, are opened into the active scene and named after the chart.
// Host errors propagate (CHostException).

#include <windows.h>

#include <string>

class CHostApplication;

// The "BINARY" resource that suits the host's build number.
UINT TemplateResourceForBuild(long build);

// Renames the active scene's selected object to `chartName`, imports the
// template scene, puts the chart's name in place of "<LC>" in the new nodes'
// names and of the prefix of the parameter elements, adds the chart to the
// template's group and registers its labels with the line-chart library.
// Nothing without an active scene; an empty name changes nothing.
void ImportParameterTemplates(CHostApplication& application, const std::wstring& chartName);
