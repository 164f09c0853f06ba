#include "GlLists.h"

#include <GL/gl.h>

#include <vector>

#include "GlState.h"

namespace {

constexpr int MaxNesting = 64;  // GL's minimum for GL_MAX_LIST_NESTING

struct TList {
  bool Exists = false;
  std::vector<TListOp> Ops;
};

struct TLists {
  std::vector<TList> ByName{1};  // name 0 is never a list
  GLuint Making = 0;             // the list between glNewList and glEndList
  bool Execute = false;          // GL_COMPILE_AND_EXECUTE
  TList Pending;                 // what the list being made holds so far
  int Depth = 0;
};

TLists& L() {
  static TLists Lists;
  return Lists;
}

void Replay(const TList& List);

void Run(const TListOp& Op) {
  const uint32_t* E = Op.E;
  const float* F = Op.F;
  switch (Op.Code) {
    case TListOpCode::Enable: glEnable(E[0]); break;
    case TListOpCode::Disable: glDisable(E[0]); break;
    case TListOpCode::MatrixMode: glMatrixMode(E[0]); break;
    case TListOpCode::LoadIdentity: glLoadIdentity(); break;
    case TListOpCode::PushMatrix: glPushMatrix(); break;
    case TListOpCode::PopMatrix: glPopMatrix(); break;
    case TListOpCode::MultMatrix: glMultMatrixf(F); break;
    case TListOpCode::LoadMatrix: glLoadMatrixf(F); break;
    case TListOpCode::Translate: glTranslatef(F[0], F[1], F[2]); break;
    case TListOpCode::Rotate: glRotatef(F[0], F[1], F[2], F[3]); break;
    case TListOpCode::Scale: glScalef(F[0], F[1], F[2]); break;
    case TListOpCode::Frustum: glFrustum(F[0], F[1], F[2], F[3], F[4], F[5]); break;
    case TListOpCode::Ortho: glOrtho(F[0], F[1], F[2], F[3], F[4], F[5]); break;
    case TListOpCode::Colour: glColor4f(F[0], F[1], F[2], F[3]); break;
    case TListOpCode::Normal: glNormal3f(F[0], F[1], F[2]); break;
    case TListOpCode::TexCoord: glTexCoord2f(F[0], F[1]); break;
    case TListOpCode::Begin: glBegin(E[0]); break;
    case TListOpCode::Vertex: glVertex4f(F[0], F[1], F[2], F[3]); break;
    case TListOpCode::End: glEnd(); break;
    case TListOpCode::Material: glMaterialfv(E[0], E[1], F); break;
    case TListOpCode::Light: glLightfv(E[0], E[1], F); break;
    case TListOpCode::LightModel: glLightModelfv(E[0], F); break;
    case TListOpCode::ShadeModel: glShadeModel(E[0]); break;
    case TListOpCode::LineWidth: glLineWidth(F[0]); break;
    case TListOpCode::PointSize: glPointSize(F[0]); break;
    case TListOpCode::AlphaFunc: glAlphaFunc(E[0], F[0]); break;
    case TListOpCode::DepthMask: glDepthMask(GLboolean(E[0])); break;
    case TListOpCode::DepthFunc: glDepthFunc(E[0]); break;
    case TListOpCode::BlendFunc: glBlendFunc(E[0], E[1]); break;
    case TListOpCode::CullFace: glCullFace(E[0]); break;
    case TListOpCode::FrontFace: glFrontFace(E[0]); break;
    case TListOpCode::BindTexture: glBindTexture(E[0], E[1]); break;
    case TListOpCode::TexEnv: glTexEnvf(E[0], E[1], F[0]); break;
    case TListOpCode::CallList: glCallList(E[0]); break;
    case TListOpCode::Viewport: glViewport(GLint(F[0]), GLint(F[1]), GLsizei(F[2]), GLsizei(F[3])); break;
    case TListOpCode::Clear: glClear(E[0]); break;
    case TListOpCode::ClearColour: glClearColor(F[0], F[1], F[2], F[3]); break;
    case TListOpCode::PushAttrib: glPushAttrib(E[0]); break;
    case TListOpCode::PopAttrib: glPopAttrib(); break;
  }
}

void Replay(const TList& List) {
  for (const TListOp& Op : List.Ops) Run(Op);
}

}  // namespace

bool CompiledOnly(const TListOp& Op) {
  TLists& Lists = L();
  if (Lists.Making == 0) return false;
  Lists.Pending.Ops.push_back(Op);
  return !Lists.Execute;
}

extern "C" {

GLuint glGenLists(GLsizei Range) {
  if (GlState().InBegin) {
    SetGlError(GL_INVALID_OPERATION);
    return 0;
  }
  if (Range < 0) {
    SetGlError(GL_INVALID_VALUE);
    return 0;
  }
  if (Range == 0) return 0;
  // New names follow the highest ever given; they are made as empty lists.
  std::vector<TList>& Names = L().ByName;
  const GLuint First = GLuint(Names.size());
  Names.resize(Names.size() + size_t(Range));
  for (GLsizei i = 0; i < Range; ++i) Names[First + i].Exists = true;
  return First;
}

GLboolean glIsList(GLuint Name) {
  const std::vector<TList>& Names = L().ByName;
  return Name < Names.size() && Names[Name].Exists ? GL_TRUE : GL_FALSE;
}

void glNewList(GLuint Name, GLenum Mode) {
  TLists& Lists = L();
  if (GlState().InBegin || Lists.Making != 0) return SetGlError(GL_INVALID_OPERATION);
  if (Name == 0) return SetGlError(GL_INVALID_VALUE);
  if (Mode != GL_COMPILE && Mode != GL_COMPILE_AND_EXECUTE) return SetGlError(GL_INVALID_ENUM);
  Lists.Making = Name;
  Lists.Execute = Mode == GL_COMPILE_AND_EXECUTE;
  Lists.Pending = TList{true, {}};
}

void glEndList() {
  TLists& Lists = L();
  if (GlState().InBegin || Lists.Making == 0) return SetGlError(GL_INVALID_OPERATION);
  if (Lists.ByName.size() <= Lists.Making) Lists.ByName.resize(size_t(Lists.Making) + 1);
  Lists.ByName[Lists.Making] = std::move(Lists.Pending);
  Lists.Pending = TList{};
  Lists.Making = 0;
}

void glCallList(GLuint Name) {
  if (CompiledOnly({TListOpCode::CallList, {Name}, {}})) return;
  TLists& Lists = L();
  if (Name >= Lists.ByName.size() || !Lists.ByName[Name].Exists) return;  // GL ignores unknown names
  if (Lists.Depth >= MaxNesting) return;
  ++Lists.Depth;
  Replay(Lists.ByName[Name]);
  --Lists.Depth;
}

void glDeleteLists(GLuint First, GLsizei Range) {
  if (GlState().InBegin) return SetGlError(GL_INVALID_OPERATION);
  if (Range < 0) return SetGlError(GL_INVALID_VALUE);
  std::vector<TList>& Names = L().ByName;
  for (GLsizei i = 0; i < Range; ++i) {
    const size_t Name = size_t(First) + size_t(i);
    if (Name > 0 && Name < Names.size()) Names[Name] = TList{};
  }
}

}  // extern "C"
