#pragma once

class VTQtEditorFactory;

// Each family of contraptions lists the editor forms of its kinds, by maker name, in a file of
// its own folder.
void registerGeneratorForms(VTQtEditorFactory& factory);
void registerDeviceForms(VTQtEditorFactory& factory);
void registerSequencerForms(VTQtEditorFactory& factory);
void registerSynthesiserForms(VTQtEditorFactory& factory);
void registerEffectForms(VTQtEditorFactory& factory);
void registerSpatialiserForms(VTQtEditorFactory& factory);
void registerFilterForms(VTQtEditorFactory& factory);
void registerGranulatorForms(VTQtEditorFactory& factory);
void registerMixerForms(VTQtEditorFactory& factory);
void registerMatrixForms(VTQtEditorFactory& factory);
void registerPluginForms(VTQtEditorFactory& factory);
