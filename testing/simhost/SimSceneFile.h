#pragma once
// Scene files of ours for the simulated host: XML, either a whole host
// (root `Lyric`), one scene (root `Scene`, loaded into the active frame
// buffer and focused) or nodes (root `Nodes` holding `Node` elements, merged
// at the end of the scene the active canvas shows, as the host opens a
// nodes file).
//
//   <Lyric major="5" minor="2" build="1500">
//     <Registry section="Quillon" key="FrameLeft" value="10"/>   (a number unless type="string")
//     <Declare group="G" name="P" default="" objecttypes="LyricGeoPlugin,LyricMovie"/>
//     <FrameBuffer board="0">
//       <Scene name="Markets" length="100">
//         <Transition name="In"/>
//         <Template name="Chart1.last" text="101.5"/>
//         <Background image="studio.png"/>
//         <Node name="Chart1" type="32" class="LyricGeoPlugin" visible="1">
//           <Element name="Title" kind="text|image|movie" text="Dow" file="a.avi" image="a.png"/>
//           <Property group="G" name="P" value="text"/>   (or bytes="0C00789C": VT_ARRAY|VT_I1)
//           <KeyFrame transition="In" frame="0" attribute="0" value="1.5" interpolation="0"/>
//           <Node .../>
//         </Node>
//       </Scene>
//     </FrameBuffer>
//   </Lyric>
//
// Every scene gets its "Global Light" node first; a top-level Node of that
// name in the file describes that one.

#include <string>

class CSimHost;

// False with a reason in `error` for an unreadable file or bad content; the
// host may then hold the part that was read.
bool LoadSceneFile(CSimHost& host, const std::wstring& path, std::wstring& error);
bool LoadSceneText(CSimHost& host, const std::wstring& text, std::wstring& error);

// The host's model as indented text, properties as a client reads them.
std::wstring DescribeHost(CSimHost& host);
