// placeholder so the module builds before its first source lands
namespace tavlo_module_MerrinColorUtils {}
