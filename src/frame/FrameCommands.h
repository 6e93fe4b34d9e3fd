#pragma once

namespace rastrix {

class CommandHandlers;

// The commands the frame, the view, the document and help own.
void RegisterFrameCommands(CommandHandlers& handlers);
void RegisterViewCommands(CommandHandlers& handlers);
void RegisterDocumentCommands(CommandHandlers& handlers);

}  // namespace rastrix
